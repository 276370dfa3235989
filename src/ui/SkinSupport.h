#pragma once

#include <QImage>
#include <QString>
#include <QStringList>

class QComboBox;
class Settings;

// Skins. A skin is a resource library (a Qt binary resource file) in the skins folder, registered per user
// in the skins key under the maker's name; the program only reads that key. The library's "/DXSKINS/SKIN"
// holds a skin package whose skin "UserSkin" is a style sheet for the whole application; "/jpg/wall" holds
// a picture. There are two states: a skin (the style sheet over the Fusion style) and no skin (the
// platform's own style, no style sheet). Every failure to load a skin ends in the no-skin state, silently.
class SkinSupport {
public:
    static QString noSkinName() { return QStringLiteral("No skin"); }

    // The user's skins key and the system's skins folder; puts the application in the no-skin state.
    SkinSupport();
    // A given skins key (an INI file) and folder (ends with a separator).
    SkinSupport(QString skinsKeyFile, QString skinsFolder);
    ~SkinSupport();
    SkinSupport(const SkinSupport&) = delete;
    SkinSupport& operator=(const SkinSupport&) = delete;

    // Windows: "ProgramFilesDir" + "\Common Files\Quorvane\Skins\"; elsewhere Quorvane/Skins/ under the first
    // folder of XDG_DATA_DIRS (/usr/local/share when it names none).
    static QString systemSkinsFolder();
    static QString skinsFolderForDataDirs(const QString& xdgDataDirs);
    QString skinsFolder() const { return m_folder; }

    // Display names of the registered skins, in the key's order.
    QStringList registeredSkins() const;
    // The skin combo's items: the registered skins, then "No skin".
    void listSkins(QComboBox* combo) const;

    // Loads the named skin's library and applies its "UserSkin"; an empty name changes nothing.
    void applySkin(const QString& name);
    // The user picked a skin: store it as Skin, then apply it.
    void chooseSkin(Settings& settings, const QString& name);
    // Releases the library loaded last (the main window's end); the applied style sheet stays.
    void releaseLibrary();

    bool skinned() const { return m_skinned; }
    QString libraryLoaded() const { return m_libraryPath; }
    const QImage& wall() const { return m_wall; }

private:
    QString libraryFileName(const QString& name) const;
    void setNoSkinState();
    void setSkinState(const QString& styleSheet);

    QString m_keyFile; // empty: the user's own key
    QString m_folder;
    QString m_libraryPath; // the library loaded last and its resource root
    QString m_libraryRoot;
    QImage m_wall;
    bool m_skinned = false;
};
