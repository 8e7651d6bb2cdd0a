#include "ai/ai_log.h"

#include "engine/engine_globals.h"
#include "engine/log.h"
#include "platform/files.h"

namespace {
std::string ColorText(std::int32_t Color) {
  switch (Color) {
    case AIColorGeneral: return "#000000";
    case AIColorAlarm: return "#FF0000";
    case AIColorHeading: return "#00792B";
    case AIColorResearch: return "#42A0FF";
    case AIColorConstruction: return "#0000FF";
    default: return "";
  }
}
}  // namespace

TAILog::TAILog() {
  if (!gSettings.LogAI) return;
  Lines = {
      "<head><style type=\"text/css\">",
      ".line {margin-top:2px; font-family:Fixedsys,Courier,monospace;}",
      "</style>",
      "<script type=\"text/javascript\">function show (name) {",
      "if (document.getElementById) {",
      "if (document.getElementById(name).style.display == \"none\") {",
      "document.getElementById(name).style.display = \"block\"; return; }",
      "if (document.getElementById(name).style.display == \"block\") {",
      "document.getElementById(name).style.display = \"none\";  return; } } }</script>",
      "</head><body><html>",
  };
}

void TAILog::Add(const std::string& Text, std::int32_t Color) {
  if (!gSettings.LogAI) return;
  // A leading blank would vanish in HTML; an empty text has none.
  const bool Indent = !Text.empty() && Text[0] == ' ';
  Lines.push_back("<font color=" + ColorText(Color) + " class=\"line\"" + (Indent ? ">&nbsp;" : ">") + Text +
                  "</font><br>");
  PlainLines.push_back(Text);
}

std::string TAILog::Text() const {
  std::string Out;
  for (const std::string& Line : Lines) {
    Out += Line;
    Out += "\n";
  }
  return Out;
}

bool TAILog::SaveToFile(const std::filesystem::path& Path) const {
  std::string Error;
  if (SafeWriteFile(Path, Text(), &Error)) return true;
  if (gLog) gLog->AddLine("TAILog->SaveToFile->Could not write \"" + Path.string() + "\": " + Error);
  return false;
}
