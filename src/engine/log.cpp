#include "engine/log.h"

#include <chrono>
#include <iostream>

#include "engine/engine_globals.h"
#include "engine/gl_api.h"
#include "engine/texture_manager.h"
#include "platform/clock.h"
#include "platform/files.h"
#include "platform/user_folders.h"

namespace fs = std::filesystem;

std::unique_ptr<TLog> gLog = std::make_unique<TLog>();

TLog::TLog(fs::path LogFolder) : Folder(std::move(LogFolder)) {
  HTMLLines.push_back("<head><style type=\"text/css\">");
  HTMLLines.push_back(
      ".line {border-color:#000000; border-width:1px; border-style:solid; margin-top:2px; "
      "font-family:Fixedsys,Courier,monospace;}");
  HTMLLines.push_back("</style></head><body><html>");
}

TLog::~TLog() {
  if (Written && !Finished) FinalSave();
}

std::string TLog::Now() const { return Clock ? Clock() : TimeOfDayText(); }

std::string TLog::ColorText(std::int32_t Color) {
  switch (Color) {
    case 0: return "#000000";
    case 255: return "#FF0000";
    case 32768: return "#00FF00";
    case 16711680: return "#0000FF";
    default: return "";
  }
}

void TLog::AddLine(const std::string& Text) {
  {
    std::lock_guard<std::recursive_timed_mutex> Guard(Lock);
    HTMLLines.push_back("<code><font color=#000000>" + Now() + " - " + Text + "<br></code>");
    EntryTexts.push_back(Text);
    WriteLast();
  }
  DrawLoadingIndicator();
}

void TLog::AddLineOnce(const std::string& Text) {
  std::lock_guard<std::recursive_timed_mutex> Guard(Lock);
  if (LoggedOnce.insert(Text).second) AddLine(Text);
}

void TLog::AddColoredLine(const std::string& Text, std::int32_t Color, TLogStyle Style) {
  const bool Italic = Style == TLogStyle::Italic || Style == TLogStyle::BoldItalic;
  const bool Bold = Style == TLogStyle::Bold || Style == TLogStyle::BoldItalic;
  std::string Open, Close;
  if (Italic) {
    Open = "<i>";
    Close = "</i>";
  }
  if (Bold) {
    Open += "<b>";
    Close = "</b>" + Close;
  }
  {
    std::lock_guard<std::recursive_timed_mutex> Guard(Lock);
    HTMLLines.push_back("<code><font color=" + ColorText(Color) + ">" + Now() + " - " + Open + Text +
                        Close + "<br></code>");
    EntryTexts.push_back(Text);
    // The crash handler's line is a coloured one: it must reach the file even when the program
    // is torn down before the next ordinary line.
    WriteLast();
  }
  DrawLoadingIndicator();
}

void TLog::FinalSave() {
  std::lock_guard<std::recursive_timed_mutex> Guard(Lock);
  Finished = true;
  HTMLLines.push_back("</body></html>");
  WriteLast();
  Sync();
}

fs::path TLog::FileName() const { return (Folder.empty() ? UserFileFolder() : Folder) / "log.html"; }

void TLog::WriteLast() {
  if (Whole) {
    std::string Error;
    if (File.Append(HTMLLines.back() + '\n', &Error)) return;
    std::cerr << "TLog->Save->" << Error << '\n';
    Whole = false;
  }
  if (!GaveUp) Rewrite();
}

bool TLog::CloseFromOtherThread(const std::string& Text, int Patience) {
  std::unique_lock<std::recursive_timed_mutex> Guard(Lock, std::defer_lock);
  if (!Guard.try_lock_for(std::chrono::milliseconds(Patience))) return false;
  // No loading screen from this thread: the GL context belongs to the game's thread.
  HTMLLines.push_back("<code><font color=#000000>" + Now() + " - " + Text + "<br></code>");
  EntryTexts.push_back(Text);
  WriteLast();
  if (!Finished) FinalSave();
  return true;
}

void TLog::Sync() {
  std::lock_guard<std::recursive_timed_mutex> Guard(Lock);
  if (!Written && !GaveUp) return;  // nothing logged yet
  if (!Whole) {
    Rewrite();  // a safe write syncs by itself
    return;
  }
  std::string Error;
  if (!File.Sync(&Error)) std::cerr << "TLog->Sync->" << Error << '\n';
}

void TLog::Rewrite() {
  if (Folder.empty()) Folder = UserFileFolder();
  auto WriteWhole = [this](std::string& Error) {
    std::string Text;
    for (const auto& L : HTMLLines) {
      Text += L;
      Text += '\n';
    }
    File.Close();
    Whole = false;
    if (!SafeWriteFile(Folder / "log.html", Text, &Error)) return false;
    Written = true;
    GaveUp = false;
    // Without the handle the next line writes the whole file again; no line is lost.
    Whole = File.Open(Folder / "log.html", &Error);
    if (!Whole) std::cerr << "TLog->Save->" << Error << '\n';
    return true;
  };
  std::string Error;
  if (WriteWhole(Error)) return;
  GaveUp = true;
  if (FallbackTried) return;
  // The program folder is often read-only on Linux; the log then lives in the user's configuration folder.
  FallbackTried = true;
  std::cerr << "TLog->Save->" << Error << '\n';
  fs::path Other = UserFallbackFolder();
  if (Other.empty() || Other == Folder) return;
  std::string Note = "TLog->Save->Cannot write the log to \"" + (Folder / "log.html").string() +
                     "\", writing it to \"" + (Other / "log.html").string() + "\"";
  auto Pos = HTMLLines.end() - (Finished ? 1 : 0);
  HTMLLines.insert(Pos, "<code><font color=#000000>" + Now() + " - " + Note + "<br></code>");
  EntryTexts.push_back(Note);
  Folder = Other;
  if (!WriteWhole(Error)) std::cerr << "TLog->Save->" << Error << '\n';
}

void TLog::DrawLoadingIndicator() {
  if (!LoadingScreen) return;
  glColor3f(1, 1, 1);
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  glOrtho(0, 1024, 768, 0, -1, 1);
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();

  glClearColor(0, 0, 0, 0);
  glBindTexture(GL_TEXTURE_2D, LoadingTexture);
  glEnable(GL_TEXTURE_2D);
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  glDepthMask(GL_FALSE);
  // The picture is made for the 1024 x 768 screen and covers it whole.
  glBegin(GL_QUADS);
  glTexCoord2f(0, 0);
  glVertex3f(0, 0, 0);
  glTexCoord2f(0, 1);
  glVertex3f(0, 768, 0);
  glTexCoord2f(1, 1);
  glVertex3f(1024, 768, 0);
  glTexCoord2f(1, 0);
  glVertex3f(1024, 0, 0);
  glEnd();

  Progress += 0.1f;
  if (Progress > 2.0f) Progress = 0.0f;
  glEnable(GL_BLEND);
  glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
  glColor4f(1, 1, 1, Progress <= 1.0f ? Progress : 2.0f - Progress);
  if (gTextureManager) gTextureManager->DrawTextureOwnSize("loadingscreen_indicator", 31, 210, 0.1f);
  glColor3f(1, 1, 1);
  glDisable(GL_BLEND);
  if (SwapBuffers) SwapBuffers();
}

void LogOnce(const std::string& Text) {
  if (gLog) gLog->AddLineOnce(Text);
}

void LogProgress(const std::string& Msg, bool ToLog) {
  if (!gLog) return;
  if (ToLog)
    gLog->AddLine(Msg);
  else
    gLog->DrawLoadingIndicator();
}
