#include "TfrmSet.h"

#include "common/AppError.h"
#include "common/Prompts.h"
#include "net/HttpClient.h"

#include <QCheckBox>
#include <QComboBox>
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

    label(QStringLiteral("IP адрес:"), gr, {8, 20, 56, 21});
    edIP = new QLineEdit(gr);
    edIP->setObjectName(QStringLiteral("edIP"));
    edIP->setGeometry(66, 20, 150, 21);
    label(QStringLiteral("Порт:"), gr, {224, 20, 36, 21});
    edPort = new QLineEdit(gr);
    edPort->setObjectName(QStringLiteral("edPort"));
    edPort->setGeometry(262, 20, 89, 21);

    label(QStringLiteral("Тип:"), gr, {8, 46, 56, 21});
    cbType = new QComboBox(gr);
    cbType->setObjectName(QStringLiteral("cbType"));
    cbType->setGeometry(66, 46, 100, 21);
    cbType->addItems(
        {QStringLiteral("SOCKS4"), QStringLiteral("SOCKS4A"), QStringLiteral("SOCKS5"), QStringLiteral("HTTP")});
    chkAuth = new QCheckBox(QStringLiteral("Требуется авторизация"), gr);
    chkAuth->setObjectName(QStringLiteral("chkAuth"));
    chkAuth->setGeometry(180, 46, 171, 21);

    label(QStringLiteral("Имя пользователя:"), gr, {8, 72, 105, 21});
    edName = new QLineEdit(gr);
    edName->setObjectName(QStringLiteral("edName"));
    edName->setGeometry(115, 72, 85, 21);
    label(QStringLiteral("Пароль:"), gr, {206, 72, 45, 21});
    edPass = new QLineEdit(gr);
    edPass->setObjectName(QStringLiteral("edPass"));
    edPass->setGeometry(253, 72, 98, 21);
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
