#include "SkinSupport.h"

#include "common/Settings.h"
#include "shell/SkinPackage.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QResource>
#include <QSettings>
#include <QStyle>

#include <memory>

namespace {
// The style the application came up with, before any skin replaced it.
QString nativeStyleName() {
    static const QString name = QApplication::style() ? QApplication::style()->name() : QString();
    return name;
}

std::unique_ptr<QSettings> openSkinsKey(const QString& keyFile) {
    if (!keyFile.isEmpty())
        return std::make_unique<QSettings>(keyFile, QSettings::IniFormat);
#ifdef Q_OS_WIN
    return std::make_unique<QSettings>(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("Quorvane"),
                                       QStringLiteral("Skins"));
#else
    return std::make_unique<QSettings>(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("Quorvane"),
                                       QStringLiteral("Skins"));
#endif
}

QByteArray readResource(const QString& path, bool* ok) {
    QFile f(path);
    *ok = f.open(QIODevice::ReadOnly);
    return *ok ? f.readAll() : QByteArray();
}
} // namespace

SkinSupport::SkinSupport() : SkinSupport(QString(), systemSkinsFolder()) {}

SkinSupport::SkinSupport(QString skinsKeyFile, QString skinsFolder)
    : m_keyFile(std::move(skinsKeyFile)), m_folder(std::move(skinsFolder)) {
    nativeStyleName();
    setNoSkinState();
}

SkinSupport::~SkinSupport() {
    releaseLibrary();
}

QString SkinSupport::systemSkinsFolder() {
#ifdef Q_OS_WIN
    const QSettings machine(QStringLiteral("HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion"),
                            QSettings::NativeFormat);
    return machine.value(QStringLiteral("ProgramFilesDir")).toString() +
           QStringLiteral("\\Common Files\\Quorvane\\Skins\\");
#else
    return skinsFolderForDataDirs(qEnvironmentVariable("XDG_DATA_DIRS"));
#endif
}

QString SkinSupport::skinsFolderForDataDirs(const QString& xdgDataDirs) {
    QString first;
    for (const QString& dir : xdgDataDirs.split(QLatin1Char(':'), Qt::SkipEmptyParts)) {
        first = dir;
        break;
    }
    if (first.isEmpty())
        first = QStringLiteral("/usr/local/share");
    return QDir::cleanPath(first + QStringLiteral("/Quorvane/Skins")) + QLatin1Char('/');
}

QStringList SkinSupport::registeredSkins() const {
    return openSkinsKey(m_keyFile)->childKeys();
}

void SkinSupport::listSkins(QComboBox* combo) const {
    combo->clear();
    combo->addItems(registeredSkins());
    combo->addItem(noSkinName());
}

QString SkinSupport::libraryFileName(const QString& name) const {
    return openSkinsKey(m_keyFile)->value(name).toString();
}

void SkinSupport::applySkin(const QString& name) {
    if (name.isEmpty())
        return;
    // "No skin" takes the same road: it has no value in the key, so the path is the bare folder and no
    // library loads.
    const QString path = m_folder + libraryFileName(name);
    static int loads = 0;
    const QString root = QStringLiteral("/tarvel-skin-%1").arg(++loads);
    const bool loaded = QFileInfo(path).isFile() && QResource::registerResource(path, root);

    // Keep only the library of the latest choice; the skin's style sheet lives on as a copy.
    const QString previousPath = m_libraryPath;
    const QString previousRoot = m_libraryRoot;
    m_libraryPath = loaded ? path : QString();
    m_libraryRoot = loaded ? root : QString();
    if (!previousPath.isEmpty())
        QResource::unregisterResource(previousPath, previousRoot);
    if (!loaded) {
        setNoSkinState();
        return;
    }

    const QString prefix = QLatin1Char(':') + root;
    bool ok = false;
    const QByteArray skinResource = readResource(prefix + QStringLiteral("/DXSKINS/SKIN"), &ok);
    const qsizetype start = ok ? SkinPackage::findStart(skinResource) : -1;
    if (start < 0) {
        setNoSkinState();
        return;
    }
    // Whether the package holds "UserSkin" is not looked at: without it the skin is an empty style sheet.
    const QString styleSheet =
        SkinPackage::find(QByteArrayView(skinResource).sliced(start), u"UserSkin").value_or(QString());

    const QByteArray wallData = readResource(prefix + QStringLiteral("/jpg/wall"), &ok);
    QImage wall;
    if (!ok || !wall.loadFromData(wallData, "JPEG")) {
        setNoSkinState();
        return;
    }
    m_wall = wall;
    setSkinState(styleSheet);
}

void SkinSupport::chooseSkin(Settings& settings, const QString& name) {
    settings.setText(Settings::Key::Skin, name);
    applySkin(name);
}

void SkinSupport::releaseLibrary() {
    if (!m_libraryPath.isEmpty())
        QResource::unregisterResource(m_libraryPath, m_libraryRoot);
    m_libraryPath.clear();
    m_libraryRoot.clear();
}

void SkinSupport::setNoSkinState() {
    m_skinned = false;
    if (!qobject_cast<QApplication*>(QCoreApplication::instance()))
        return;
    qApp->setStyleSheet(QString());
    if (QApplication::style()->name() != nativeStyleName() && !nativeStyleName().isEmpty())
        QApplication::setStyle(nativeStyleName());
}

void SkinSupport::setSkinState(const QString& styleSheet) {
    m_skinned = true;
    if (!qobject_cast<QApplication*>(QCoreApplication::instance()))
        return;
    // Style sheets are drawn most faithfully over Fusion; the platform styles ignore parts of them. With a
    // sheet in force the application is on Fusion already.
    if (qApp->styleSheet().isEmpty() &&
        QApplication::style()->name().compare(QLatin1String("fusion"), Qt::CaseInsensitive) != 0)
        QApplication::setStyle(QStringLiteral("Fusion"));
    qApp->setStyleSheet(styleSheet);
}
