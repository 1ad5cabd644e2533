#pragma once
// Text between the program and Qt. Paths and the program's own texts are UTF-8; names and titles
// from the databases and the simulator's files are Windows-1252 bytes.
#include <QString>
#include <string>

namespace wf::gui {

// A text of the program for a widget: UTF-8 when it is valid UTF-8, else read as Windows-1252.
QString Q(const std::string& text);

// Typed text for a page's handler (numbers, idents, paths), as UTF-8.
inline std::string Std(const QString& text) {
  return text.toStdString();
}

// Typed text to match against names from the databases: Windows-1252, as they are stored (a letter
// outside that code page cannot match and stays as it is).
std::string Stored(const QString& text);

}
