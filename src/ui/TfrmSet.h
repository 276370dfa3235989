#pragma once

#include "net/ConnectionSettings.h"

#include <QDialog>

class HttpClient;
class Prompts;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLineEdit;
class QPushButton;
class Settings;

// The connection settings dialog: whether a proxy or SOCKS server is used, its address, port, kind and
// credentials. Confirming stores the choice and hands it to the HTTP client at once.
class TfrmSet : public QDialog {
    Q_OBJECT
public:
    static constexpr int kClientWidth = 375;
    static constexpr int kClientHeight = 161;

    TfrmSet(Settings& settings, HttpClient& client, Prompts& prompts, QWidget* parent = nullptr);

    // The menu command: creates the dialog, shows it modally and destroys it.
    static void execute(Settings& settings, HttpClient& client, Prompts& prompts, QWidget* parent);

    void FormCreate();
    void chkProxyClick();
    void chkAuthClick();
    void btnApplyClick();
    void btnCancelClick();

    ConnectionDialogValues values() const;

private:
    void buildControls();

    Settings& m_settings;
    HttpClient& m_client;
    Prompts& m_prompts;

    QCheckBox* chkProxy = nullptr;
    QGroupBox* gr = nullptr;
    QLineEdit* edIP = nullptr;
    QLineEdit* edPort = nullptr;
    QComboBox* cbType = nullptr;
    QCheckBox* chkAuth = nullptr;
    QLineEdit* edName = nullptr;
    QLineEdit* edPass = nullptr;
    QPushButton* btnApply = nullptr;
    QPushButton* btnCancel = nullptr;
};
