#pragma once

#include "shell/Localize.h"

#include <QString>

#include <functional>
#include <memory>

class HelpWindow;
class HttpClient;
class Prompts;
class QDialog;
class QWidget;
class Settings;
class SkinSupport;
struct RegionalSettings;

// The main window's commands that concern the program rather than a series: connection settings, help, the
// web pages, the about box, and the menu's language, country and skin.
class ShellCommands {
public:
    using DialogRunner = std::function<int(QDialog&)>;
    // `runDialog` is the window's, read at each use, so that tests may replace it after construction.
    ShellCommands(QWidget* window, Settings& settings, Prompts& prompts, const RegionalSettings& regional,
                  HttpClient& http, const DialogRunner& runDialog);
    ~ShellCommands();

    SkinSupport& skins() { return *m_skins; }
    Localize& catalogue() { return m_catalogue; }
    const Localize& catalogue() const { return m_catalogue; }
    HelpWindow* helpWindow() const { return m_help; }

    // The language catalogue chosen in the settings, from the program's language folder.
    void loadCatalogue();
    // Throws AppError.
    void connectionSettings();
    void contents();
    void about();
    void chooseLanguage(const QString& language);
    void chooseCountry(const QString& country);
    void chooseSkin(const QString& skin);

private:
    QWidget* m_window;
    Settings& m_settings;
    Prompts& m_prompts;
    const RegionalSettings& m_regional;
    HttpClient& m_http;
    const DialogRunner& m_runDialog;
    std::unique_ptr<SkinSupport> m_skins;
    Localize m_catalogue;
    HelpWindow* m_help = nullptr;
};
