#include "ShellCommands.h"

#include "HelpWindow.h"
#include "TfrmSet.h"
#include "shell/AppPaths.h"
#include "ui/HelpContents.h"
#include "ui/SkinSupport.h"
#include "ui/TAboutForm.h"
#include "common/Settings.h"

#include <QFileInfo>

ShellCommands::ShellCommands(QWidget* window, Settings& settings, Prompts& prompts, const RegionalSettings& regional,
                             HttpClient& http, const DialogRunner& runDialog)
    : m_window(window), m_settings(settings), m_prompts(prompts), m_regional(regional), m_http(http),
      m_runDialog(runDialog), m_skins(std::make_unique<SkinSupport>()) {}

ShellCommands::~ShellCommands() {
    m_skins->releaseLibrary();
}

void ShellCommands::loadCatalogue() {
    m_catalogue.load(
        Localize::catalogPath(QFileInfo(AppPaths::langDir()).path(), m_settings.lang().value_or(QString())));
}

void ShellCommands::connectionSettings() {
    TfrmSet::execute(m_settings, m_http, m_prompts, m_window);
}

void ShellCommands::contents() {
    if (!HelpContents::viewerRegistered()) {
        if (!m_help)
            m_help = new HelpWindow(HelpContents::pagesDir(), m_window);
        m_help->showPage();
        m_help->show();
        m_help->raise();
        m_help->activateWindow();
        return;
    }
    // The help is looked for in the working directory; an installed copy keeps it in its shared folder.
    if (QFileInfo::exists(HelpContents::helpFileUrl().toLocalFile()))
        HelpContents::open();
    else
        HelpContents::open(AppPaths::helpFile());
}

void ShellCommands::about() {
    TAboutForm box(m_regional, m_window);
    m_runDialog(box);
}

void ShellCommands::chooseLanguage(const QString& language) {
    m_catalogue.chooseLanguage(m_settings, QFileInfo(AppPaths::langDir()).path(), language);
}

void ShellCommands::chooseCountry(const QString& country) {
    Localize::chooseCountry(m_settings, country);
}

void ShellCommands::chooseSkin(const QString& skin) {
    m_skins->chooseSkin(m_settings, skin);
}
