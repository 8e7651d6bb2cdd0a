#include "engine/log.h"


#include <iostream>

#include "engine/engine_globals.h"
#include "engine/gl_api.h"
#include "engine/texture_manager.h"
#include "platform/clock.h"
#include "platform/files.h"

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

// A lone ">" is plain text in HTML, so it stays: every log line names its class and method
// joined by "->", and the file is read with grep as often as with a browser.
std::string TLog::EscapeHTML(const std::string& Text) {
  std::string Out;
  Out.reserve(Text.size());
  for (char C : Text) {
    switch (C) {
      case '&': Out += "&amp;"; break;
      case '<': Out += "&lt;"; break;
      default: Out += C;
    }
  }
  return Out;
}

void TLog::AddLine(const std::string& Text) {
  HTMLLines.push_back("<code><font color=#000000>" + Now() + " - " + EscapeHTML(Text) + "<br></code>");
  EntryTexts.push_back(Text);
  Save();
  DrawLoadingIndicator();
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
  HTMLLines.push_back("<code><font color=" + ColorText(Color) + ">" + Now() + " - " + Open + EscapeHTML(Text) +
                      Close + "<br></code>");
  EntryTexts.push_back(Text);
  // Coloured lines are rare and the crash handler's line is one of them: it must reach the disk
  // even when the program is torn down before the next ordinary line.
  Save();
  DrawLoadingIndicator();
}

void TLog::FinalSave() {
  Finished = true;
  HTMLLines.push_back("</body></html>");
  Save();
}

fs::path TLog::FileName() const { return (Folder.empty() ? ProgramFolder() : Folder) / "log.html"; }

void TLog::Save() {
  if (Folder.empty()) Folder = ProgramFolder();
  auto Join = [this] {
    std::string Text;
    for (const auto& L : HTMLLines) {
      Text += L;
      Text += '\n';
    }
    return Text;
  };
  std::string Error;
  if (SafeWriteFile(Folder / "log.html", Join(), &Error)) {
    Written = true;
    return;
  }
  if (FallbackTried) return;
  // The program folder is often read-only on Linux; the log then lives with the user's data.
  FallbackTried = true;
  std::cerr << "TLog->Save->" << Error << '\n';
  fs::path Other = UserDataFolder();
  if (Other.empty() || Other == Folder) return;
  std::string Note = "TLog->Save->Cannot write the log to \"" + (Folder / "log.html").string() +
                     "\", writing it to \"" + (Other / "log.html").string() + "\"";
  auto Pos = HTMLLines.end() - (Finished ? 1 : 0);
  HTMLLines.insert(Pos, "<code><font color=#000000>" + Now() + " - " + EscapeHTML(Note) + "<br></code>");
  EntryTexts.push_back(Note);
  Folder = Other;
  if (SafeWriteFile(Folder / "log.html", Join(), &Error))
    Written = true;
  else
    std::cerr << "TLog->Save->" << Error << '\n';
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

void LogProgress(const std::string& Msg, bool ToLog) {
  if (!gLog) return;
  if (ToLog)
    gLog->AddLine(Msg);
  else
    gLog->DrawLoadingIndicator();
}
