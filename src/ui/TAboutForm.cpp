#include "TAboutForm.h"

#include "WebSites.h"
#include "platform/MemoryStatus.h"
#include "ui/ProgramIcon.h"

#include <QApplication>
#include <QEvent>
#include <QFrame>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QStyle>

namespace {
const QColor kNavy(0x00, 0x00, 0x80);
const QColor kBlue(0x00, 0x00, 0xff);

QLabel* makeLabel(QWidget* parent, const char* name, const QString& text, int x, int y) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(QLatin1String(name));
    label->move(x, y);
    label->adjustSize();
    return label;
}

void setTextColour(QWidget* w, const QColor& colour) {
    QPalette p = w->palette();
    p.setColor(QPalette::WindowText, colour);
    w->setPalette(p);
}

// ",0.##": thousands grouped, at most two decimals, no trailing zeros.
QString formatThousandsTwoDecimals(std::uint64_t whole, unsigned hundredths, const RegionalSettings& regional) {
    const QString digits = QString::number(whole);
    QString text;
    for (qsizetype i = 0; i < digits.size(); ++i) {
        if (i > 0 && (digits.size() - i) % 3 == 0)
            text += regional.thousandsSeparator;
        text += digits[i];
    }
    if (hundredths != 0) {
        QString fraction = QStringLiteral("%1").arg(hundredths, 2, 10, QLatin1Char('0'));
        if (fraction.endsWith(QLatin1Char('0')))
            fraction.chop(1);
        text += regional.decimalSeparator + fraction;
    }
    return text;
}
} // namespace

TAboutForm::TAboutForm(const RegionalSettings& regional, QWidget* parent) : QDialog(parent), m_regional(regional) {
    setObjectName(QStringLiteral("AboutForm"));
    setWindowTitle(QStringLiteral("О программе"));
    setWindowFlags(Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    setModal(true);
    // The box is laid out in pixels for this type size. Set through a style sheet, so that it holds when a skin's
    // style sheet recomputes the fonts of the box's widgets.
    setStyleSheet(QStringLiteral("QWidget { font-size: 11px; } QLabel#Label8 { text-decoration: underline; }"));
    setFixedSize(kClientWidth, kClientHeight);
    buildControls();
    FormCreate();
}

void TAboutForm::buildControls() {
    Panel1 = new QFrame(this);
    Panel1->setObjectName(QStringLiteral("Panel1"));
    Panel1->setFrameShape(QFrame::NoFrame);
    Panel1->setGeometry(8, 8, 327, 77);

    Im = new QLabel(Panel1);
    Im->setObjectName(QStringLiteral("Im"));
    Im->setGeometry(8, 8, 32, 32);
    Im->setPixmap(programIcon().pixmap(32, 32));

    Label1 = makeLabel(Panel1, "Label1", QString(), 56, 4);
    Label2 = makeLabel(Panel1, "Label2", QString(), 56, 23);
    Label4 = makeLabel(Panel1, "Label4", QStringLiteral("© 2009 Quorvane. Все права защищены."), 15, 42);

    Label8 = makeLabel(Panel1, "Label8", WebSites::kMakerSite, 112, 56);
    setTextColour(Label8, kBlue);
    Label8->setCursor(Qt::PointingHandCursor);
    Label8->setToolTip(QStringLiteral("Посетить сайт разработчиков"));

    lRek = new QLabel(QStringLiteral("На нашем сайте Вы также сможете найти другие программы для юристов!"), this);
    lRek->setObjectName(QStringLiteral("lRek"));
    lRek->setGeometry(44, 83, 245, 29);
    lRek->setAlignment(Qt::AlignCenter);
    lRek->setWordWrap(true);
    lRek->setCursor(Qt::PointingHandCursor);
    setRekColour(false);

    Label12 = new QLabel(QStringLiteral("Следите за обновлениями!"), this);
    Label12->setObjectName(QStringLiteral("Label12"));
    Label12->setGeometry(56, 111, 230, 14);
    Label12->setAlignment(Qt::AlignCenter);

    Shape2 = new QFrame(this);
    Shape2->setObjectName(QStringLiteral("Shape2"));
    Shape2->setGeometry(37, 129, 273, 2);
    Shape2->setFrameShape(QFrame::NoFrame);
    Shape2->setAutoFillBackground(true);
    QPalette line = Shape2->palette();
    line.setColor(QPalette::Window, Qt::black);
    Shape2->setPalette(line);

    FreeMem = new QLabel(this);
    FreeMem->setObjectName(QStringLiteral("FreeMem"));
    FreeMem->setGeometry(23, 137, 300, 13);
    FreeMem->setAlignment(Qt::AlignCenter);

    btnOK = new QPushButton(QStringLiteral("OK"), this);
    btnOK->setObjectName(QStringLiteral("btnOK"));
    btnOK->setGeometry(262, 14, 63, 24);
    btnOK->setDefault(true);
    btnOK->raise();
    connect(btnOK, &QPushButton::clicked, this, &TAboutForm::btnOKClick);

    // The hover colour of lRek: moving over it turns it blue, moving over the box, its panel, Label12, FreeMem
    // or the button turns it navy.
    for (QWidget* w : {static_cast<QWidget*>(this), static_cast<QWidget*>(Panel1), static_cast<QWidget*>(lRek),
                       static_cast<QWidget*>(Label12), static_cast<QWidget*>(FreeMem), static_cast<QWidget*>(btnOK)}) {
        w->setMouseTracking(true);
        w->installEventFilter(this);
    }
    Label8->installEventFilter(this);
}

void TAboutForm::FormCreate() {
    FreeMem->setText(memoryLine(MemoryStatus::freePhysicalBytes(), m_regional));
    Label1->setText(QStringLiteral("Tarvel 1.5"));
    Label1->adjustSize();
    Label2->setText(QStringLiteral("Дата релиза: 7 июля 2009 года"));
    Label2->adjustSize();
}

QString TAboutForm::memoryLine(std::uint64_t freeBytes, const RegionalSettings& regional) {
    // Exact decimal rounding of bytes / 1024 to two places, halves away from zero.
    std::uint64_t whole = freeBytes / 1024;
    auto hundredths = unsigned(((freeBytes % 1024) * 100 + 512) / 1024);
    if (hundredths == 100) {
        ++whole;
        hundredths = 0;
    }
    return QStringLiteral("Свободная память:        %1 K").arg(formatThousandsTwoDecimals(whole, hundredths, regional));
}

void TAboutForm::btnOKClick() {
    accept();
}

void TAboutForm::Label8Click() {
    WebSites::open(WebSites::kMakerSite);
}

void TAboutForm::lRekMouseMove() {
    setRekColour(true);
}

void TAboutForm::FormMouseMove() {
    setRekColour(false);
}

void TAboutForm::setRekColour(bool hovered) {
    // Without a skin the palette colours the label. A skin colours it through its style sheet, which reads this
    // property; the label is polished again so that the sheet sees the change.
    const bool changed = lRek->property("hovered").toBool() != hovered;
    lRek->setProperty("hovered", hovered);
    if (qApp->styleSheet().isEmpty()) {
        setTextColour(lRek, hovered ? kBlue : kNavy);
    } else if (changed && lRek->testAttribute(Qt::WA_WState_Polished)) {
        lRek->style()->unpolish(lRek);
        lRek->style()->polish(lRek);
        lRek->update();
    }
}

bool TAboutForm::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseMove) {
        if (watched == lRek) {
            lRekMouseMove();
            return true; // not on to the box, which would turn it navy again
        }
        if (watched != Label8)
            FormMouseMove();
    } else if (event->type() == QEvent::MouseButtonRelease && (watched == Label8 || watched == lRek)) {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouse->button() == Qt::LeftButton &&
            static_cast<QWidget*>(watched)->rect().contains(mouse->position().toPoint())) {
            Label8Click();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}
