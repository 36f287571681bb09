#include "shell/game_text.h"

#include "gamedata/own_texts.h"
#include "gamedata/string_table.h"

#include <QHash>
#include <QStringDecoder>

#include <array>
#include <cstring>

namespace {

// The code page both ways, taken once from Qt's Windows-1252 converter. Where Qt has none (a
// build without ICU), the bytes are read as Latin-1, which is the same outside 0x80-0x9F.
struct CodePage {
    std::array<char16_t, 256> toUnicode{};
    QHash<char16_t, char> toByte;

    CodePage() {
        QByteArray all(256, '\0');
        for (int i = 0; i < 256; ++i)
            all[i] = static_cast<char>(i);
        QStringDecoder decoder("windows-1252");
        QString decoded = decoder.isValid() ? QString(decoder(all)) : QString();
        if (decoded.size() != 256) decoded = QString::fromLatin1(all);
        for (int i = 0; i < 256; ++i) {
            toUnicode[size_t(i)] = decoded[i].unicode();
            toByte.insert(decoded[i].unicode(), static_cast<char>(i));
        }
    }
};

const CodePage& codePage() {
    static const CodePage page;
    return page;
}

} // namespace

QString shell_DecodeText(std::string_view bytes) {
    const CodePage& page = codePage();
    QString text(qsizetype(bytes.size()), Qt::Uninitialized);
    QChar* out = text.data();
    for (size_t i = 0; i < bytes.size(); ++i)
        out[i] = QChar(page.toUnicode[static_cast<unsigned char>(bytes[i])]);
    return text;
}

QString shell_DecodeText(const char* bytes) {
    return shell_DecodeText(bytes != nullptr ? std::string_view(bytes) : std::string_view());
}

std::string shell_EncodeText(const QString& text, size_t limit) {
    const CodePage& page = codePage();
    std::string bytes;
    bytes.reserve(size_t(text.size()));
    for (qsizetype i = 0; i < text.size() && bytes.size() < limit; ++i) {
        const QChar c = text[i];
        // A character beyond the first 65,536 (two UTF-16 units) is one character without a byte.
        if (c.isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate()) ++i;
        const auto found = page.toByte.constFind(c.unicode());
        bytes += found != page.toByte.constEnd() ? found.value() : '?';
    }
    return bytes;
}

QString shell_Text(const char* section, const char* key) {
    return shell_DecodeText(TextLookup(section, key));
}

QString shell_OwnText(const char* key) {
    return shell_DecodeText(text_Own(key));
}
