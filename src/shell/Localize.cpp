#include "Localize.h"

#include "IniText.h"
#include "common/Settings.h"

#include <QDir>

LocRecord::LocRecord(const char16_t* section, std::initializer_list<Entry> entries)
    : m_section(section), m_entries(entries) {
    reset();
}

QStringList LocRecord::keys() const {
    QStringList keys;
    for (const Entry& e : m_entries)
        keys.append(QString::fromUtf16(e.key));
    return keys;
}

QString LocRecord::value(QStringView key) const {
    for (qsizetype i = 0; i < m_entries.size(); ++i) {
        if (key.compare(QString::fromUtf16(m_entries[i].key), Qt::CaseInsensitive) == 0)
            return m_values[i];
    }
    return QString();
}

void LocRecord::load(const IniText& catalogue) {
    const QString sectionName = section();
    for (qsizetype i = 0; i < m_entries.size(); ++i) {
        const auto v = catalogue.value(sectionName, QString::fromUtf16(m_entries[i].key));
        m_values[i] = v ? *v : QString::fromUtf16(m_entries[i].englishDefault);
    }
}

void LocRecord::reset() {
    m_values.clear();
    for (const Entry& e : m_entries)
        m_values.append(QString::fromUtf16(e.englishDefault));
}

// The keys are those of this program's own texts; the catalogue files of the family carry many more, which
// are read by nobody.
TLOCother::TLOCother()
    : LocRecord(u"Other", {
                              {u"Title", u"Tarvel"},
                              {u"ReleaseDate", u"Release date: 7 July 2009"},
                              {u"FreeMemory", u"Free memory:"},
                              {u"VisitSite", u"Visit the developers' site"},
                              {u"OtherPrograms", u"On our site you will also find other programs for lawyers!"},
                              {u"FollowUpdates", u"Follow the updates!"},
                              {u"NoData", u"(no data)"},
                              {u"NoSkin", u"No skin"},
                          }) {}

TLOCButton::TLOCButton()
    : LocRecord(u"Button", {
                               {u"Add", u"Add"},
                               {u"Edit", u"Edit"},
                               {u"Delete", u"Delete"},
                               {u"Close", u"Close"},
                               {u"OK", u"OK"},
                               {u"Cancel", u"Cancel"},
                               {u"Find", u"Find"},
                               {u"AddToBase", u"Add to database"},
                               {u"GetData", u"Get data"},
                           }) {}

TLOCCaption::TLOCCaption()
    : LocRecord(u"Caption", {
                                {u"Main", u"Tarvel"},
                                {u"About", u"About"},
                                {u"ConnectionSettings", u"Connection settings"},
                                {u"AddRecord", u"Add record"},
                                {u"EditRecord", u"Edit record"},
                                {u"DateFrom", u"From date"},
                                {u"DateTo", u"To date"},
                                {u"Currency", u"Currency:"},
                            }) {}

TLOCGroup::TLOCGroup()
    : LocRecord(u"Group", {
                              {u"UpdateMethod", u"Update method"},
                              {u"Information", u"Information"},
                              {u"QuickSearch", u"Quick date search"},
                              {u"Express", u"Express calculation"},
                              {u"EditData", u"Edit data"},
                              {u"ChooseFile", u"Choose the file to update from"},
                              {u"Internet", u"Update over the internet"},
                              {u"Proxy", u"Proxy server:"},
                          }) {}

TLOCItems::TLOCItems()
    : LocRecord(u"Items", {
                              {u"Rates", u"Exchange rates"},
                              {u"Dollar", u"US dollar"},
                              {u"Euro", u"Euro"},
                              {u"Others", u"Others"},
                              {u"Mrot", u"Minimum wage"},
                              {u"Refin", u"Refinancing rate"},
                              {u"Manual", u"manually"},
                              {u"Consultant", u"from a ConsultantPlus file"},
                              {u"Garant", u"from a Garant file"},
                              {u"ViaInternet", u"over the internet"},
                              {u"StateDuty", u"state duty payment"},
                              {u"Wages", u"regulation of wages"},
                          }) {}

TLOCMenu::TLOCMenu()
    : LocRecord(u"Menu", {
                             {u"File", u"File"},
                             {u"ConnectionSettings", u"Connection settings"},
                             {u"Language", u"Language"},
                             {u"Country", u"Country"},
                             {u"Skin", u"Skin"},
                             {u"Exit", u"Exit"},
                             {u"Help", u"Help"},
                             {u"Contents", u"Contents"},
                             {u"WebPage", u"Web page"},
                             {u"WriteToDevelopers", u"Write to the developers"},
                             {u"BugReport", u"Bug report"},
                             {u"InfoRequest", u"Information request"},
                             {u"Suggestion", u"Suggestion"},
                             {u"Other", u"Other"},
                             {u"About", u"About..."},
                         }) {}

TLOCString::TLOCString()
    : LocRecord(u"String", {
                               {u"RecordNotFound", u"Record not found"},
                               {u"NoChanges", u"No changes were made to the current table."},
                               {u"WrongFile", u"You may have chosen the wrong file."},
                               {u"ErrorOccurred", u"An error may have occurred."},
                               {u"Changed", u"Records changed: "},
                               {u"NotChanged", u"Existing records were not changed."},
                               {u"Added", u"Records added: "},
                               {u"NoneAdded", u"No new records were added."},
                               {u"NoConnection", u"No connection to the internet."},
                               {u"Loading", u"Loading data. Please wait..."},
                               {u"Processing", u"Processing the data received..."},
                           }) {}

void Localize::load(const QString& path) {
    const IniText catalogue = IniText::fromFile(path);
    for (LocRecord* r : records())
        r->load(catalogue);
}

QString Localize::catalogPath(const QString& programDir, const QString& lang) {
    QString dir = QDir::fromNativeSeparators(programDir);
    if (!dir.endsWith(QLatin1Char('/')))
        dir += QLatin1Char('/');
    return dir + QStringLiteral("Lang/") + lang + QStringLiteral(".lng");
}

void Localize::chooseLanguage(Settings& settings, const QString& programDir, const QString& lang) {
    settings.setText(Settings::Key::Lang, lang);
    load(catalogPath(programDir, lang));
}

void Localize::chooseCountry(Settings& settings, const QString& country) {
    settings.setText(Settings::Key::Country, country);
}
