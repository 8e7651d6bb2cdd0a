#pragma once
// The game's running log "log.html" and the loading screen it animates during start-up.
// The first line writes the whole file; every later line is appended and handed to the system
// at once, so the file is current when the program dies. Sync makes the file whole (rewriting
// it when an append failed) and puts it on the disk: at the end of start-up, in the crash
// handler and at exit, where the closing tags are added. Logging never throws: when the program
// folder cannot be written, the log moves to the user's data folder and says so.
#include <cstdint>
#include <filesystem>
#include <functional>
#include <set>
#include <mutex>
#include <string>
#include <vector>

#include "platform/append_file.h"
// How a coloured log line is set; one value, so italic and bold cannot be swapped by mistake.
enum class TLogStyle : std::uint8_t { Plain = 0, Italic = 1, Bold = 2, BoldItalic = 3 };
// The colours of the game's highlighted lines (start-up in blue, faults in red), in the
// 0x00BBGGRR form AddColoredLine takes.
constexpr std::int32_t kLogBlue = 0xFF0000;
constexpr std::int32_t kLogRed = 0x0000FF;

class TLog {
public:
  std::vector<std::string> HTMLLines;  // the whole HTML text, one entry per file line
  std::uint32_t LoadingTexture = 0;    // GL id of the loading-screen picture
  bool LoadingScreen = false;          // redraw the loading screen on every line
  float Progress = 0.0f;               // phase of the indicator's pulse, 0 to 2

  // Time of day for each entry; the platform clock unless a test sets another.
  std::function<std::string()> Clock;
  // Shows the drawn loading screen (the window's buffer swap); set by game control.
  std::function<void()> SwapBuffers;

  // The three head lines; nothing is written yet. The file goes to Folder (the user's file
  // folder when empty, looked up at the first write), else to the user's configuration folder.
  explicit TLog(std::filesystem::path Folder = {});
  // The final save when anything was written before.
  ~TLog();
  TLog(const TLog&) = delete;
  TLog& operator=(const TLog&) = delete;

  // Text goes into the page as given: markup in it is markup.
  void AddLine(const std::string& Text);
  // AddLine only the first time this log is given Text (a missing picture asked for every frame).
  void AddLineOnce(const std::string& Text);
  // Colour is 0x00BBGGRR, red in the low byte; see ColorText.
  void AddColoredLine(const std::string& Text, std::int32_t Color, TLogStyle Style);
  // While LoadingScreen is set: the loading picture over the whole screen, the indicator one
  // step further in its pulse, and a buffer swap; every call, so each line shows one step.
  void DrawLoadingIndicator();
  // Makes the file hold every line logged so far and syncs it to the disk.
  void Sync();
  // Appends "</body></html>" and syncs the file a last time; later lines are still kept.
  void FinalSave();
  // From another thread while the program is being ended: adds Text and makes the final save,
  // unless the game's own thread has held the log for Patience milliseconds (it is stuck inside
  // a line); false then, and the file keeps every line written so far.
  bool CloseFromOtherThread(const std::string& Text, int Patience);

  // The file the log is written to ("log.html" in its folder).
  std::filesystem::path FileName() const;
  // The texts of the entries logged so far, without time and markup (for tests and reports).
  const std::vector<std::string>& Entries() const { return EntryTexts; }

  static std::string ColorText(std::int32_t Color);

private:
  std::filesystem::path Folder;
  TAppendFile File;          // log.html, open for appending after the first whole write
  bool Written = false;      // the file exists and needs the final save
  bool Whole = false;        // the file holds every line: later lines may be appended
  bool GaveUp = false;       // a whole write failed: only Sync tries again
  bool Finished = false;     // the final save ran
  bool FallbackTried = false;
  std::vector<std::string> EntryTexts;
  std::set<std::string> LoggedOnce;  // the texts of AddLineOnce
  // Lines come from the game's thread; only the termination watch closes the log from another.
  std::recursive_timed_mutex Lock;

  std::string Now() const;
  // Puts the newest entry of HTMLLines into the file.
  void WriteLast();
  // Writes the whole file safely and opens it for appending.
  void Rewrite();
};

// The message callback handed to the sound system and the texture manager: ToLog true logs
// Msg, false only advances the loading-screen animation.
void LogProgress(const std::string& Msg, bool ToLog);
// gLog's AddLineOnce, when there is a log.
void LogOnce(const std::string& Text);
