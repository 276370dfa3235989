#include "SeriesNavigator.h"

#include "IndicatorGrid.h"
#include "MainWindowLayout.h"
#include "store/IndicatorStore.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QPainter>
#include <QRadioButton>
#include <QStackedWidget>
#include <QStyledItemDelegate>
#include <QTreeWidget>

#include <algorithm>

using MainWindowLayout::kLeftWidth;
using MainWindowLayout::kMiddleWidth;
using MainWindowLayout::kMiddleX;
using MainWindowLayout::makeLabel;

namespace {
constexpr int kAbsoluteIndexRole = Qt::UserRole + 1;
constexpr int kSeriesRole = Qt::UserRole + 2;

// The tree marks the entry under the mouse; the style alone does not in every theme.
class HoverDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        if ((option.state & QStyle::State_MouseOver) && !(option.state & QStyle::State_Selected)) {
            QColor hover = option.palette.color(QPalette::Active, QPalette::Highlight);
            hover.setAlpha(48);
            painter->fillRect(option.rect, hover);
        }
        QStyledItemDelegate::paint(painter, option, index);
    }
};

} // namespace

SeriesNavigator::SeriesNavigator(QWidget* window, IndicatorStore& store, Prompts& prompts) {
    buildTree(window);
    pan = new QWidget(window);
    pan->setObjectName(QStringLiteral("pan"));
    pan->setGeometry(kMiddleX, 121, 647 - kMiddleX, 21);
    pan->setAutoFillBackground(true);
    QPalette panPalette = pan->palette();
    panPalette.setColor(QPalette::Window, QColor(0xc0, 0xc0, 0xc0));
    pan->setPalette(panPalette);
    Cap = new QLabel(pan);
    Cap->setObjectName(QStringLiteral("Cap"));
    QFont bold = Cap->font();
    bold.setBold(true);
    Cap->setFont(bold);
    Cap->setGeometry(4, 3, pan->width() - 8, std::max(15, Cap->fontMetrics().height()));

    buildTablPages(window);
    buildGrids(window, store, prompts);
}

void SeriesNavigator::buildGrids(QWidget* window, IndicatorStore& store, Prompts& prompts) {
    // The grids lie over the notebook; the one shown covers it where they overlap.
    const auto dateColumn = IndicatorTableModel::Column{Col::CurDate, QStringLiteral("Дата"), -1, true};
    grKurs = new IndicatorGrid(store.tKurs, {dateColumn, {2, QStringLiteral("Курс"), 75, true}}, prompts, window);
    grKurs->setObjectName(QStringLiteral("grKurs"));
    grKurs->setGeometry(kMiddleX, 148, kMiddleWidth, kFullGridHeight);

    grMROT_Refin =
        new IndicatorGrid(store.tStavka, {dateColumn, {1, QStringLiteral("Размер"), 75, true}}, prompts, window);
    grMROT_Refin->setObjectName(QStringLiteral("grMROT_Refin"));
    grMROT_Refin->setGeometry(kMiddleX, 148, kMiddleWidth, kFullGridHeight);

    grInfl = new IndicatorGrid(store.tInfl,
                               {{1, QStringLiteral("Квартал"), -1, false}, {2, QStringLiteral("Индекс"), 75, true}},
                               prompts, window);
    grInfl->setObjectName(QStringLiteral("grInfl"));
    grInfl->setGeometry(kMiddleX, 148, kMiddleWidth, kFullGridHeight);

    grPrice = new IndicatorGrid(
        store.tPrice, {{1, QStringLiteral("Месяц"), -1, false}, {2, QStringLiteral("% к пред. мес."), 85, true}},
        prompts, window);
    grPrice->setObjectName(QStringLiteral("grPrice"));
    grPrice->setGeometry(kMiddleX, 148, kMiddleWidth, kFullGridHeight);

    grOther = new IndicatorGrid(store.tKurs, {dateColumn, {2, QStringLiteral("Курс"), 75, true}}, prompts, window);
    grOther->setObjectName(QStringLiteral("grOther"));
    grOther->setGeometry(kMiddleX, 178, kMiddleWidth, 268);

    // The date or period takes what the value column leaves.
    for (IndicatorGrid* g : {grKurs, grMROT_Refin, grInfl, grPrice, grOther})
        g->horizontalHeader()->setSectionResizeMode(0, QHeaderView::Stretch);

    grMROT_Refin->hide();
    grInfl->hide();
    grPrice->hide();
    grOther->hide();
}

void SeriesNavigator::buildTree(QWidget* window) {
    List = new QTreeWidget(window);
    List->setObjectName(QStringLiteral("List"));
    List->setGeometry(3, 121, kLeftWidth, 208);
    List->setHeaderHidden(true);
    List->setColumnCount(1);
    List->setEditTriggers(QAbstractItemView::NoEditTriggers);
    List->setSelectionMode(QAbstractItemView::SingleSelection);
    List->setSelectionBehavior(QAbstractItemView::SelectRows);
    List->setAllColumnsShowFocus(true);
    List->setMouseTracking(true);
    List->viewport()->setAttribute(Qt::WA_Hover);
    List->setItemDelegate(new HoverDelegate(List));
    List->setIndentation(14);
    // The selection stays as visible when the focus is elsewhere.
    QPalette p = List->palette();
    p.setColor(QPalette::Inactive, QPalette::Highlight, p.color(QPalette::Active, QPalette::Highlight));
    p.setColor(QPalette::Inactive, QPalette::HighlightedText, p.color(QPalette::Active, QPalette::HighlightedText));
    List->setPalette(p);

    int absolute = 0;
    auto add = [&absolute](QTreeWidgetItem* item, const QString& text, Series series) {
        item->setText(0, text);
        item->setData(0, kAbsoluteIndexRole, absolute++);
        item->setData(0, kSeriesRole, int(series));
        return item;
    };
    auto* currencies = add(new QTreeWidgetItem(List), QStringLiteral("Курсы валют"), Series::Dollar);
    for (const SeriesInfo& s : SeriesTable::all()) {
        auto* item = s.layout == Layout::Currency ? new QTreeWidgetItem(currencies) : new QTreeWidgetItem(List);
        add(item, QString::fromUtf16(s.entry), s.series);
    }
    List->expandAll();
}

void SeriesNavigator::buildTablPages(QWidget* window) {
    nbTabl = new QStackedWidget(window);
    nbTabl->setObjectName(QStringLiteral("nbTabl"));
    nbTabl->setGeometry(kMiddleX, 148, kMiddleWidth, 298);
    const char* const pageNames[] = {"Курсы валют", "МРОТ_Refin", "Индекс инфляции", "Индекс потреб. цен",
                                     "курсы др. валют"};
    for (const char* name : pageNames) {
        auto* page = new QWidget(nbTabl);
        page->setObjectName(QString::fromUtf8(name));
        nbTabl->addWidget(page);
    }

    QWidget* mrotPage = nbTabl->widget(int(SeriesPage::MrotRefin));
    cb1 = new QGroupBox(QStringLiteral(" В целях "), mrotPage);
    cb1->setObjectName(QStringLiteral("cb1"));
    cb1->setGeometry(0, 243, kMiddleWidth, 55);
    cb1Items = new QButtonGroup(cb1);
    const QString items[] = {QStringLiteral("уплаты госпошлины"), QStringLiteral("регулирования оплаты труда")};
    for (int i = 0; i < 2; ++i) {
        auto* item = new QRadioButton(items[i], cb1);
        item->setObjectName(QStringLiteral("cb1Item%1").arg(i));
        item->setGeometry(8, 16 + 18 * i, kMiddleWidth - 16, 17);
        cb1Items->addButton(item, i);
    }
    cb1Items->button(0)->setChecked(true);

    QWidget* otherPage = nbTabl->widget(int(SeriesPage::Other));
    makeLabel(otherPage, "Label1", QStringLiteral("Валюта:"), 4, 4);
    ValCombo = new QComboBox(otherPage);
    ValCombo->setObjectName(QStringLiteral("ValCombo"));
    ValCombo->setEditable(false);
    ValCombo->setGeometry(52, 0, kMiddleWidth - 52, 22);
    ValCombo->setMaxVisibleItems(16);

    nbTabl->setCurrentIndex(int(SeriesPage::Other));
}

QTreeWidgetItem* SeriesNavigator::entryItem(int index) const {
    for (QTreeWidgetItemIterator it(List); *it; ++it) {
        if ((*it)->data(0, kAbsoluteIndexRole).toInt() == index)
            return *it;
    }
    return nullptr;
}

int SeriesNavigator::selectedIndex() const {
    const QTreeWidgetItem* item = List->currentItem();
    return item ? item->data(0, kAbsoluteIndexRole).toInt() : -1;
}

void SeriesNavigator::selectEntry(int index) {
    QTreeWidgetItem* item = entryItem(index);
    if (item && item != List->currentItem())
        List->setCurrentItem(item);
}

QString SeriesNavigator::selectedText() const {
    const QTreeWidgetItem* item = List->currentItem();
    return item ? item->text(0) : QString();
}

std::optional<Series> SeriesNavigator::seriesOfEntry(int index) const {
    const QTreeWidgetItem* item = entryItem(index);
    if (!item)
        return std::nullopt;
    return Series(item->data(0, kSeriesRole).toInt());
}

int SeriesNavigator::cb1ItemIndex() const {
    return cb1Items->checkedId();
}

void SeriesNavigator::setCb1ItemIndex(int index) {
    if (QAbstractButton* b = cb1Items->button(index))
        b->setChecked(true);
}

void SeriesNavigator::applyCb1Column() {
    // The wage layout: RAZMER is column 1, RAZMER2 column 2.
    grMROT_Refin->indicatorModel().setColumnSource(1, cb1ItemIndex() == 1 ? 2 : 1);
}

IndicatorGrid* SeriesNavigator::grid(SeriesGrid grid) const {
    switch (grid) {
    case SeriesGrid::Kurs:
        return grKurs;
    case SeriesGrid::Other:
        return grOther;
    case SeriesGrid::MrotRefin:
        return grMROT_Refin;
    case SeriesGrid::Infl:
        return grInfl;
    case SeriesGrid::Price:
        return grPrice;
    }
    return grKurs;
}

void SeriesNavigator::showGrid(SeriesGrid shown) {
    IndicatorGrid* const visible = grid(shown);
    for (IndicatorGrid* g : {grKurs, grMROT_Refin, grInfl, grPrice, grOther})
        g->setVisible(g == visible);
}

void SeriesNavigator::showSeries(const SeriesInfo& s) {
    if (s.caption)
        Cap->setText(QString::fromUtf16(s.caption));
    nbTabl->setCurrentIndex(int(s.page));
    // With the MROT the grid leaves room for cb1 under it; with the refinancing rate it covers cb1.
    if (s.grid == SeriesGrid::MrotRefin)
        grMROT_Refin->resize(grMROT_Refin->width(), s.series == Series::Mrot ? kMrotGridHeight : kFullGridHeight);
    showGrid(s.grid);
}

void SeriesNavigator::showPickedCurrency() {
    Cap->setText(QStringLiteral("Курсы валют - ") + ValCombo->currentText());
    nbTabl->setCurrentIndex(int(SeriesPage::Other));
    showGrid(SeriesGrid::Other);
}
