#include "gui/texts.h"

#include <QStringDecoder>

#include "platform/text.h"
#include "platform/windows1252.h"

namespace wf::gui {

QString Q(const std::string& text) {
  QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
  QString decoded = utf8(QByteArrayView(text.data(), static_cast<qsizetype>(text.size())));
  if (!utf8.hasError()) return decoded;
  decoded.clear();
  decoded.reserve(static_cast<qsizetype>(text.size()));
  for (char byte : text) decoded += QChar(static_cast<char16_t>(FromWindows1252(byte)));
  return decoded;
}

std::string Stored(const QString& text) {
  return Utf8ToWindows1252(Std(text));
}

}
