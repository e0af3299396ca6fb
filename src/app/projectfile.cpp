#include "app/projectfile.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <algorithm>
#include <climits>
#include <cstdint>

#include "app/global.h"
#include "dictionary/numberscan.h"
#include "platform/msgbox.h"
#include "platform/profile.h"

namespace {
constexpr int kFirstPage = 2;
constexpr int kLastPage = 48;

// The leading decimal number, held to the range of int (atoi's reading without its overflow).
long long CNumber(const QString& text) {
    std::int64_t value = 0;
    numberscan::LeadingInteger(text, value);
    return std::clamp<long long>(value, INT_MIN, INT_MAX);
}

int ToInt(long long value) {
    return static_cast<int>(std::clamp<long long>(value, INT_MIN, INT_MAX));
}

// The entry numbers below `count` that the section holds, ascending: a "num" far above the
// rows present costs nothing.
std::vector<int> StoredRowNumbers(const QString& path, const QString& section, long long count) {
    std::vector<int> numbers;
    for (const auto& [key, value] : platform::GetProfileSection(path, section)) {
        bool ok = false;
        const int n = key.toInt(&ok);
        if (ok && n >= 0 && n < count && key == QString::number(n))
            numbers.push_back(n);
    }
    std::sort(numbers.begin(), numbers.end());
    numbers.erase(std::unique(numbers.begin(), numbers.end()), numbers.end());
    return numbers;
}

QString Section(const QString& prefix, int number) {
    return prefix + QString::number(number);
}

QString Section(const CGlobal& g, int number) {
    return Section(g.dictionary.projectPrefix, number);
}
}  // namespace

QString& ProjectOpenStamp() {
    static QString stamp;
    return stamp;
}

void StorePagePlacement(CGlobal& g, int pageNumber, int active, int x, int y) {
    platform::WriteProfileString(g.dictionary.projectSavePath, Section(g, 1),
                                 QString::number(pageNumber),
                                 QString::asprintf("%d,%d,%d", active, x, y));
}

void StorePageList(CGlobal& g, int pageNumber, const std::vector<ProjectRow>& rows) {
    const QString& path = g.dictionary.projectSavePath;
    QString section = Section(g, pageNumber);
    platform::WriteProfileString(path, section, "num", QString::number(rows.size()));
    for (size_t i = 0; i < rows.size(); ++i)
        platform::WriteProfileString(path, section, QString::number(i),
                                     rows[i].key + ',' + rows[i].value + ',' + rows[i].unit);
}

int ReadPagePlacement(CGlobal& g, int pageNumber, int& x, int& y, int captionHeight) {
    return ReadPagePlacement(g.dictionary.projectOpenPath, g.dictionary.projectPrefix, pageNumber,
                             x, y, captionHeight);
}

int ReadPagePlacement(const QString& path, const QString& prefix, int pageNumber, int& x, int& y,
                      int captionHeight) {
    QString entry = platform::GetProfileString(path, Section(prefix, 1),
                                               QString::number(pageNumber), QString(), 64);
    if (entry.isEmpty())
        return 0;
    QStringList parts = entry.split(',');
    if (parts.at(0).trimmed() == QLatin1String("0"))
        return 0;
    x = ToInt(CNumber(parts.value(1)) - 6);
    y = ToInt(CNumber(parts.value(2)) - captionHeight - 59);
    return 1;
}

void PlacementToFile(int frameX, int frameY, int captionHeight, int& x, int& y) {
    x = frameX + 6;
    y = frameY + captionHeight + 59;
}

bool ParseProjectRow(const QString& entry, ProjectRow& row) {
    // The value text may itself hold commas (an ASCII value): key before the first comma,
    // unit after the last one, the value in between.
    int first = entry.indexOf(',');
    int last = entry.lastIndexOf(',');
    if (first <= 0)
        return false;
    row.key = entry.left(first);
    row.value = last > first ? entry.mid(first + 1, last - first - 1) : entry.mid(first + 1);
    row.unit = last > first ? entry.mid(last + 1) : QString();
    return true;
}

std::vector<ProjectRow> ReadPageList(CGlobal& g, int pageNumber) {
    return ReadPageList(g.dictionary.projectOpenPath, g.dictionary.projectPrefix, pageNumber);
}

std::vector<ProjectRow> ReadPageList(const QString& path, const QString& prefix, int pageNumber) {
    std::vector<ProjectRow> rows;
    QString section = Section(prefix, pageNumber);
    const long long count =
        CNumber(platform::GetProfileString(path, section, "num", QString(), 256));
    for (int i : StoredRowNumbers(path, section, count)) {
        ProjectRow row;
        QString entry = platform::GetProfileString(path, section, QString::number(i), {}, 256);
        if (ParseProjectRow(entry, row))
            rows.push_back(row);
    }
    return rows;
}

QString ProjectSavePathFor(const QString& chosen) {
    // Only the file name is cut: a dot in a folder name must not move the project elsewhere.
    int nameStart = chosen.lastIndexOf('/') + 1;
    int dot = chosen.indexOf('.', nameStart);
    return (dot >= 0 ? chosen.left(dot) : chosen) + ".zpj";
}

QString MakeProjectStamp() {
    return QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMddHHmmss"));
}

QString ProjectInitialName(const CGlobal& g) {
    return QDir(g.userFolder).exists() ? g.userFolder + "name" : QString();
}

int SaveProject(CGlobal& g, CProjectHost& host) {
    QString chosen;
    if (!host.ChooseSaveFile(ProjectInitialName(g), chosen) || chosen.isEmpty())
        return 0;
    g.dictionary.projectSavePath = ProjectSavePathFor(chosen);
    QFile::remove(g.dictionary.projectSavePath);
    host.NotifyAllPages(platform::PN_PROJECT_SAVING);
    return 1;
}

int OpenProject(CGlobal& g, CProjectHost& host) {
    QString chosen;
    int result = host.ChooseOpenFile(ProjectInitialName(g), chosen);
    if (result < 0) {
        platform::MessageBox(QStringLiteral("Failure! Exit!"));
        return 0;
    }
    if (result == 0 || chosen.isEmpty())
        return 0;
    g.dictionary.projectOpenPath = chosen;
    ProjectOpenStamp() = MakeProjectStamp();
    host.CloseAllPages();
    for (int number = kFirstPage; number <= kLastPage; ++number) {
        int x = 0;
        int y = 0;
        if (ReadPagePlacement(g, number, x, y, host.CaptionHeight()))
            host.OpenPageAt(number, x, y);
    }
    return 1;
}
