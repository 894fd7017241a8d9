#include "gbkwidth.h"

int gbkWidth(const QString &text)
{
    int width = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c.isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate())
            ++i;
        width += c.unicode() < 0x80 ? 1 : 2;
    }
    return width;
}

int gbkWidthUtf8(const char *utf8, int length)
{
    int width = 0;
    for (int i = 0; i < length; ++i) {
        const auto byte = static_cast<unsigned char>(utf8[i]);
        if (byte < 0x80)
            width += 1;
        else if ((byte & 0xC0) != 0x80)  // the lead byte of a multi-byte character
            width += 2;
    }
    return width;
}
