#include "RussianText.h"

namespace {
// windows-1251, bytes 0x80 to 0xBF; 0xC0 to 0xFF are А to я in order.
constexpr char16_t kWindows1251High[64] = {
    0x0402, 0x0403, 0x201A, 0x0453, 0x201E, 0x2026, 0x2020, 0x2021, 0x20AC, 0x2030, 0x0409, 0x2039, 0x040A,
    0x040C, 0x040B, 0x040F, 0x0452, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014, 0x0098, 0x2122,
    0x0459, 0x203A, 0x045A, 0x045C, 0x045B, 0x045F, 0x00A0, 0x040E, 0x045E, 0x0408, 0x00A4, 0x0490, 0x00A6,
    0x00A7, 0x0401, 0x00A9, 0x0404, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x0407, 0x00B0, 0x00B1, 0x0406, 0x0456,
    0x0491, 0x00B5, 0x00B6, 0x00B7, 0x0451, 0x2116, 0x0454, 0x00BB, 0x0458, 0x0405, 0x0455, 0x0457};

constexpr const char16_t* kGenitive[12] = {u"января", u"февраля", u"марта",    u"апреля",  u"мая",    u"июня",
                                           u"июля",   u"августа", u"сентября", u"октября", u"ноября", u"декабря"};
constexpr const char16_t* kNominative[12] = {u"январь", u"февраль", u"март",     u"апрель",  u"май",    u"июнь",
                                             u"июль",   u"август",  u"сентябрь", u"октябрь", u"ноябрь", u"декабрь"};
} // namespace

QString DecodeWindows1251(QByteArrayView bytes) {
    QString out(bytes.size(), Qt::Uninitialized);
    QChar* d = out.data();
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        const auto b = static_cast<unsigned char>(bytes[i]);
        d[i] = QChar(b < 0x80 ? char16_t(b) : b < 0xC0 ? kWindows1251High[b - 0x80] : char16_t(0x0410 + (b - 0xC0)));
    }
    return out;
}

int MonthNumber(QStringView name, MonthForm form) {
    const auto& names = form == MonthForm::Genitive ? kGenitive : kNominative;
    for (int m = 0; m < 12; ++m) {
        if (name == QStringView(names[m]))
            return m + 1;
    }
    return -1;
}
