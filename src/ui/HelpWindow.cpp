#include "HelpWindow.h"

#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSplitter>
#include <QTextBrowser>
#include <QTreeWidget>
#include <QTreeWidgetItemIterator>
#include <QVBoxLayout>

namespace {
constexpr int kPageRole = Qt::UserRole + 1;
}

HelpWindow::HelpWindow(const QString& pagesDir, QWidget* parent) : QWidget(parent), m_dir(QDir::cleanPath(pagesDir)) {
    setObjectName(QStringLiteral("HelpWindow"));
    setWindowFlag(Qt::Window);
    setWindowTitle(QStringLiteral("Tarvel — справка"));
    resize(900, 620);

    auto* splitter = new QSplitter(this);
    m_contents = new QTreeWidget(splitter);
    m_contents->setObjectName(QStringLiteral("HelpContents"));
    m_contents->setHeaderHidden(true);
    m_browser = new QTextBrowser(splitter);
    m_browser->setObjectName(QStringLiteral("HelpPage"));
    m_browser->setSearchPaths({m_dir});
    // Web addresses go to the browser; the pages' own links stay here.
    m_browser->setOpenExternalLinks(true);
    splitter->setStretchFactor(0, 0);
    splitter->setStretchFactor(1, 1);
    splitter->setSizes({260, 640});
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(splitter);

    loadContents();
    connect(m_contents, &QTreeWidget::itemClicked, this, [this](QTreeWidgetItem* item) {
        const QString page = item->data(0, kPageRole).toString();
        if (!page.isEmpty())
            showPage(page);
    });
    connect(m_browser, &QTextBrowser::sourceChanged, this, &HelpWindow::markInContents);
}

void HelpWindow::loadContents() {
    // The contents page of the help file: nested lists of objects with a "Name" and a "Local" parameter.
    QFile file(m_dir + QStringLiteral("/Vendrick.hhc"));
    if (!file.open(QIODevice::ReadOnly))
        return;
    const QString text = QString::fromUtf8(file.readAll());
    static const QRegularExpression token(
        QStringLiteral("<\\s*(/?)\\s*UL\\b[^>]*>|<OBJECT\\b[^>]*text/sitemap[^>]*>(.*?)</OBJECT>"),
        QRegularExpression::CaseInsensitiveOption | QRegularExpression::DotMatchesEverythingOption);
    static const QRegularExpression param(QStringLiteral("<param\\s+name=\"(Name|Local)\"\\s+value=\"([^\"]*)\""),
                                          QRegularExpression::CaseInsensitiveOption);
    QList<QTreeWidgetItem*> parents;
    QTreeWidgetItem* last = nullptr;
    int depth = 0;
    for (auto it = token.globalMatch(text); it.hasNext();) {
        const QRegularExpressionMatch m = it.next();
        if (m.capturedLength(2) == 0 && m.captured(0).contains(QLatin1String("UL"), Qt::CaseInsensitive)) {
            if (m.captured(1).isEmpty()) {
                if (depth > 0 && last)
                    parents.append(last);
                ++depth;
            } else {
                --depth;
                if (!parents.isEmpty() && parents.size() >= depth)
                    parents.removeLast();
            }
            continue;
        }
        QString name;
        QString local;
        for (auto p = param.globalMatch(m.captured(2)); p.hasNext();) {
            const QRegularExpressionMatch pm = p.next();
            (pm.captured(1).compare(QLatin1String("Name"), Qt::CaseInsensitive) == 0 ? name : local) = pm.captured(2);
        }
        last = parents.isEmpty() ? new QTreeWidgetItem(m_contents) : new QTreeWidgetItem(parents.last());
        last->setText(0, name);
        last->setData(0, kPageRole, local);
    }
    m_contents->expandAll();
}

void HelpWindow::showPage(const QString& fileName) {
    const QString name = fileName.isEmpty() ? QStringLiteral("index.html") : fileName;
    m_browser->setSource(QUrl::fromLocalFile(m_dir + QLatin1Char('/') + name));
}

QString HelpWindow::currentPage() const {
    return QFileInfo(m_browser->source().toLocalFile()).fileName();
}

void HelpWindow::markInContents(const QUrl& source) {
    const QString page = QFileInfo(source.toLocalFile()).fileName();
    for (QTreeWidgetItemIterator it(m_contents); *it; ++it) {
        if ((*it)->data(0, kPageRole).toString() == page) {
            m_contents->setCurrentItem(*it);
            return;
        }
    }
}
