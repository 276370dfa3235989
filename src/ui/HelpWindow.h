#pragma once

#include <QString>
#include <QUrl>
#include <QWidget>

class QTextBrowser;
class QTreeWidget;
class QTreeWidgetItem;

// The program's own help viewer, for systems without a viewer of the help file: the same pages as HTML, the
// contents (from the help file's contents page) on the left, the page on the right.
class HelpWindow : public QWidget {
    Q_OBJECT
public:
    // `pagesDir` holds the pages and Vendrick.hhc.
    explicit HelpWindow(const QString& pagesDir, QWidget* parent = nullptr);

    QString pagesDir() const { return m_dir; }
    // Shows a page of the folder by its file name ("index.html" when empty) and marks it in the contents.
    void showPage(const QString& fileName = QString());
    // The file name of the page shown.
    QString currentPage() const;
    QTextBrowser* browser() const { return m_browser; }
    QTreeWidget* contents() const { return m_contents; }

private:
    void loadContents();
    void markInContents(const QUrl& source);

    QString m_dir;
    QTreeWidget* m_contents = nullptr;
    QTextBrowser* m_browser = nullptr;
};
