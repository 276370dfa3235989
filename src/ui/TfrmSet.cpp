#include "TfrmSet.h"

#include "common/AppError.h"
#include "common/Prompts.h"
#include "net/HttpClient.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFontMetrics>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace {
QLabel* label(const QString& text, QWidget* parent, QRect geometry) {
    auto* l = new QLabel(text, parent);
    l->setGeometry(geometry);
    return l;
}
} // namespace

TfrmSet::TfrmSet(Settings& settings, HttpClient& client, Prompts& prompts, QWidget* parent)
    : QDialog(parent, Qt::Tool | Qt::WindowTitleHint | Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint),
      m_settings(settings), m_client(client), m_prompts(prompts) {
    setObjectName(QStringLiteral("frmSet"));
    setWindowTitle(QStringLiteral("Настройки соединения"));
    setFixedSize(kClientWidth, kClientHeight);
    buildControls();
    FormCreate();
}

void TfrmSet::execute(Settings& settings, HttpClient& client, Prompts& prompts, QWidget* parent) {
    TfrmSet dialog(settings, client, prompts, parent);
    dialog.exec();
}

void TfrmSet::buildControls() {
    chkProxy = new QCheckBox(QStringLiteral("Использовать прокси-сервер"), this);
    chkProxy->setObjectName(QStringLiteral("chkProxy"));
    chkProxy->setGeometry(8, 6, 300, 17);

    gr = new QGroupBox(QStringLiteral("Прокси-сервер:"), this);
    gr->setObjectName(QStringLiteral("gr"));
    gr->setGeometry(8, 26, 359, 100);

    // Three rows inside the group box; labels take the width their text needs in the current font.
    const QFontMetrics metrics(font());
    auto labelAt = [&](const QString& text, int x, int y) {
        const int width = metrics.horizontalAdvance(text) + 6;
        label(text, gr, {x, y, width, 21});
        return x + width;
    };
    constexpr int left = 8, right = 351, row1 = 20, row2 = 46, row3 = 72;

    int x = labelAt(QStringLiteral("IP адрес:"), left, row1);
    const int portLabel = right - 75 - (metrics.horizontalAdvance(QStringLiteral("Порт:")) + 6);
    edIP = new QLineEdit(gr);
    edIP->setObjectName(QStringLiteral("edIP"));
    edIP->setGeometry(x, row1, portLabel - 8 - x, 21);
    x = labelAt(QStringLiteral("Порт:"), portLabel, row1);
    edPort = new QLineEdit(gr);
    edPort->setObjectName(QStringLiteral("edPort"));
    edPort->setGeometry(x, row1, right - x, 21);

    x = labelAt(QStringLiteral("Тип:"), left, row2);
    cbType = new QComboBox(gr);
    cbType->setObjectName(QStringLiteral("cbType"));
    cbType->setGeometry(x, row2, 100, 21);
    cbType->addItems(
        {QStringLiteral("SOCKS4"), QStringLiteral("SOCKS4A"), QStringLiteral("SOCKS5"), QStringLiteral("HTTP")});
    chkAuth = new QCheckBox(QStringLiteral("Требуется авторизация"), gr);
    chkAuth->setObjectName(QStringLiteral("chkAuth"));
    chkAuth->setGeometry(x + 112, row2, right - x - 112, 21);

    x = labelAt(QStringLiteral("Имя пользователя:"), left, row3);
    const int passLabel = x + 90;
    edName = new QLineEdit(gr);
    edName->setObjectName(QStringLiteral("edName"));
    edName->setGeometry(x, row3, passLabel - 8 - x, 21);
    x = labelAt(QStringLiteral("Пароль:"), passLabel, row3);
    edPass = new QLineEdit(gr);
    edPass->setObjectName(QStringLiteral("edPass"));
    edPass->setGeometry(x, row3, right - x, 21);
    edPass->setEchoMode(QLineEdit::Password);
    edPass->setStyleSheet(QStringLiteral("QLineEdit { lineedit-password-character: 42; }")); // "*"

    btnApply = new QPushButton(QStringLiteral("ОК"), this);
    btnApply->setObjectName(QStringLiteral("btnApply"));
    btnApply->setGeometry(211, 131, 75, 25);
    btnApply->setDefault(true);
    btnCancel = new QPushButton(QStringLiteral("Отмена"), this);
    btnCancel->setObjectName(QStringLiteral("btnCancel"));
    btnCancel->setGeometry(292, 131, 75, 25);

    setTabOrder(chkProxy, edIP);
    setTabOrder(edIP, edPort);
    setTabOrder(edPort, cbType);
    setTabOrder(cbType, chkAuth);
    setTabOrder(chkAuth, edName);
    setTabOrder(edName, edPass);
    setTabOrder(edPass, btnApply);
    setTabOrder(btnApply, btnCancel);

    connect(chkProxy, &QCheckBox::clicked, this, &TfrmSet::chkProxyClick);
    connect(chkAuth, &QCheckBox::clicked, this, &TfrmSet::chkAuthClick);
    connect(btnApply, &QPushButton::clicked, this, &TfrmSet::btnApplyClick);
    connect(btnCancel, &QPushButton::clicked, this, &TfrmSet::btnCancelClick);
}

void TfrmSet::FormCreate() {
    cbType->setCurrentIndex(int(ProxyKind::Http));
    const auto stored = ReadConnectionDialog(m_settings);
    if (!stored)
        return; // no settings key: the dialog stays as designed
    chkProxy->setChecked(stored->useProxy);
    if (stored->useProxy) {
        edIP->setText(stored->address);
        edPort->setText(stored->port);
        cbType->setCurrentIndex(stored->kind);
        chkAuth->setChecked(stored->authorise);
        if (stored->authorise) {
            edName->setText(stored->user);
            edPass->setText(stored->password);
        }
    }
    chkProxyClick();
}

void TfrmSet::chkProxyClick() {
    const bool on = chkProxy->isChecked();
    edIP->setEnabled(on);
    edPort->setEnabled(on);
    cbType->setEnabled(on);
    chkAuth->setEnabled(on);
    if (on) {
        chkAuthClick();
    } else {
        edName->setEnabled(false);
        edPass->setEnabled(false);
    }
}

void TfrmSet::chkAuthClick() {
    const bool on = chkAuth->isChecked();
    edName->setEnabled(on);
    edPass->setEnabled(on);
}

ConnectionDialogValues TfrmSet::values() const {
    ConnectionDialogValues v;
    v.useProxy = chkProxy->isChecked();
    v.address = edIP->text();
    v.port = edPort->text();
    v.kind = cbType->currentIndex();
    v.authorise = chkAuth->isChecked();
    v.user = edName->text();
    v.password = edPass->text();
    return v;
}

void TfrmSet::btnApplyClick() {
    try {
        m_client.setConnectionSettings(StoreConnectionDialog(m_settings, values()));
    } catch (const AppError& e) {
        // Nothing stored, nothing applied: the dialog stays open for correction.
        m_prompts.message(e.text());
        return;
    }
    accept();
}

void TfrmSet::btnCancelClick() {
    reject();
}
