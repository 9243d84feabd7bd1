#include "platform/qt/gbk.h"

#include <QStringDecoder>
#include <QStringEncoder>

namespace {
// Built once: the converters are cheap to reuse and stateless between texts.
QStringDecoder& Decoder() {
    static QStringDecoder decoder("GBK", QStringConverter::Flag::Stateless);
    return decoder;
}
QStringEncoder& Encoder() {
    static QStringEncoder encoder("GBK", QStringConverter::Flag::Stateless);
    return encoder;
}
}  // namespace

QString FromGbk(const char* gbk) {
    if (gbk == nullptr) return {};
    return Decoder().decode(QByteArrayView(gbk));
}

std::string ToGbk(const QString& text) {
    const QByteArray bytes = Encoder().encode(text);
    std::string result(bytes.constData(), static_cast<std::size_t>(bytes.size()));
    // A text ends at its first zero byte, as everywhere in the program.
    result.resize(std::char_traits<char>::length(result.c_str()));
    return result;
}
