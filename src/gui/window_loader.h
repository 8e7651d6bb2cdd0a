#pragma once
// The window-definition files: one XML root with the window's attributes and one child element
// per control. The loader itself is TGLWindow::LoadFromFile/LoadFromXML/ReloadFromFile and
// TGLGUI::AddWindowFromXML/LoadUIFromXML/ReloadWindows; this header holds what they share.
#include <string>

class TXMLDocument;

// Reads FileName through the virtual file system (loose file first, then the data package);
// throws when it is found nowhere or is not well-formed XML.
void LoadWindowDocument(const std::string& FileName, TXMLDocument& Document);
// The file name without its folder ("data\xml\lang_eng\science.xml" -> "science.xml").
std::string DefinitionFileName(const std::string& FileName);
