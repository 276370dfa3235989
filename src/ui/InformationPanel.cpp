#include "InformationPanel.h"

#include "MainWindowLayout.h"
#include "store/RecordMerge.h"
#include "store/TableObject.h"
#include "store/UpdateSource.h"

#include <QFontMetrics>
#include <QGroupBox>
#include <QLabel>

#include <algorithm>

using MainWindowLayout::makeLabel;
using MainWindowLayout::makeSeparator;

namespace {
const QString kNoData = QStringLiteral("(нет данных)");
const QString kNominalCaption = QStringLiteral("Номинал валюты: ");
const QString kCurrentRecord = QStringLiteral("Текущая запись ");
const QString kAddedWord = QStringLiteral("добавлена");
} // namespace

InformationPanel::InformationPanel(QWidget* window) {
    gb3 = new QGroupBox(QStringLiteral(" Информация "), window);
    gb3->setObjectName(QStringLiteral("gb3"));
    gb3->setGeometry(423, 148, 224, 225);
    constexpr int kRight = 221; // the values end here, clear of the frame
    // A value stands where it was drawn, or further right when its caption needs the room.
    auto valueAfter = [](QLabel* caption, int drawnX) { return std::max(drawnX, caption->geometry().right() + 5); };
    auto valueLabel = [&](const char* name, QLabel* caption, int drawnX, int y) {
        const int x = valueAfter(caption, drawnX);
        return makeLabel(gb3, name, kNoData, x, y, kRight - x);
    };

    // The shipped-record line is longer than the box: it takes the line of l4, which it hides.
    l50 = makeLabel(gb3, "l50", kCurrentRecord + kAddedWord, 10, 21, kRight - 10);
    l50->setWordWrap(true);
    l50->setFixedHeight(32);
    l4 = makeLabel(gb3, "l4", kNoData, 15, 37, kRight - 15);
    QLabel* l51 = makeLabel(gb3, "l51", QStringLiteral("Дата добавления записи:"), 10, 55);
    l6 = valueLabel("l6", l51, 145, 55);
    l5 = makeLabel(gb3, "l5", kNominalCaption + kNoData, 10, 73, kRight - 10);
    makeSeparator(gb3, 16, 92, 193);

    // The counts take up to six digits. Where a caption leaves no room for its count, the count goes on a line
    // of its own under the caption, right-aligned, and the lines below the first separator close up to fit.
    const QStringList countCaptions{QStringLiteral("Общее количество записей:"),
                                    QStringLiteral("Количество добавленных записей:"),
                                    QStringLiteral("Количество измененных записей:")};
    const QFontMetrics metrics(gb3->font());
    auto textWidth = [&](const QString& text) { return metrics.horizontalAdvance(text) + 1; };
    const int countWidth = textWidth(QStringLiteral("999999")) + 1;
    const int countX = std::min(193, kRight - countWidth); // drawn at 193, 30 wide: too narrow for six digits
    bool ownLine[3];
    bool compact = false;
    for (int i = 0; i < 3; ++i) {
        ownLine[i] = 10 + textWidth(countCaptions[i]) + 4 > countX;
        compact = compact || ownLine[i];
    }

    QLabel* l52 = makeLabel(gb3, "l52", QStringLiteral("Первая запись:"), 10, compact ? 99 : 102);
    QLabel* l53 = makeLabel(gb3, "l53", QStringLiteral("Последняя запись:"), 10, compact ? 116 : 122);
    const int datesX = std::max(valueAfter(l52, 130), valueAfter(l53, 130));
    l7 = makeLabel(gb3, "l7", kNoData, datesX, l52->y(), kRight - datesX);
    l8 = makeLabel(gb3, "l8", kNoData, datesX, l53->y(), kRight - datesX);
    makeSeparator(gb3, 16, compact ? 136 : 147, 193);

    const char* const captionNames[] = {"l54", "l55", "l56"};
    const char* const countNames[] = {"l1", "l2", "l3"};
    QLabel** counts[] = {&l1, &l2, &l3};
    int y = compact ? 141 : 157;
    for (int i = 0; i < 3; ++i) {
        makeLabel(gb3, captionNames[i], countCaptions[i], 10, y);
        if (!ownLine[i]) {
            *counts[i] = makeLabel(gb3, countNames[i], QStringLiteral("0"), countX, y, kRight - countX);
            y += compact ? 16 : 20;
        } else {
            *counts[i] = makeLabel(gb3, countNames[i], QStringLiteral("0"), countX, y + 15, kRight - countX);
            y += 30;
        }
    }
}

void InformationPanel::showRecordDates(TableObject& t) {
    if (!t.isOpen() || t.isEmpty()) {
        l7->setText(kNoData);
        l8->setText(kNoData);
        return;
    }
    // Read from the rows: the current record stays where the user put it.
    const int n = t.recordCount();
    l7->setText(t.formatValue(Col::CurDate, t.row(n - 1).values[Col::CurDate]));
    l8->setText(t.formatValue(Col::CurDate, t.row(0).values[Col::CurDate]));
}

void InformationPanel::showRecordDetails(TableObject& t, const ChangeCounters& counters, bool currency) {
    if (!t.isOpen())
        t.open();
    l1->setText(QString::number(t.recordCount()));
    l2->setText(QString::number(counters.added));
    l3->setText(QString::number(counters.changed));
    if (t.recordCount() == 0) {
        l50->setText(kCurrentRecord + kAddedWord);
        l4->show();
        l4->setText(kNoData);
        l5->setText(kNominalCaption + kNoData);
        l6->setText(kNoData);
        return;
    }
    const QVariant upd = t.value(Col::Upd);
    const bool shipped = upd.isValid() && upd.toInt() == int(UpdateSource::Shipped);
    // A shipped record reads as one line: "Текущая запись поставлена с программой".
    l50->setText(shipped ? kCurrentRecord + SourceShortWording(upd.toInt()) : kCurrentRecord + kAddedWord);
    l4->setVisible(!shipped);
    if (!upd.isValid())
        l4->setText(kNoData); // a record that carries no source says so
    else if (upd.toInt() >= 0 && upd.toInt() <= 3)
        l4->setText(SourceShortWording(upd.toInt()));
    l6->setText(t.displayText(Col::Dt));
    if (currency) {
        l5->show();
        l5->setText(kNominalCaption + t.displayText(u"NOMINAL"));
    } else {
        l5->hide();
    }
}
