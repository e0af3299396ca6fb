#pragma once
// Project files (".zpj"): which pages were open and where, and the rows of each list page.
// Widget-free: the pages hand in their rows and placements, and the main frame takes part in
// saving and opening through CProjectHost.
#include <QString>
#include <vector>

class CGlobal;

// One stored row: object key (decimal text), value text, unit text.
struct ProjectRow {
    QString key;
    QString value;
    QString unit;
};

// The project-open stamp (process-wide): set whenever a project is opened; pages compare it
// with their own copy at creation.
QString& ProjectOpenStamp();

// Entry of the placement section ("VeltoSero:1"), written into the save path. x and y are
// already in the file's form (relative to the main window, y less the caption height).
void StorePagePlacement(CGlobal& g, int pageNumber, int active, int x, int y);
// The page's section: "num" and one "key,value,unit" entry per row.
void StorePageList(CGlobal& g, int pageNumber, const std::vector<ProjectRow>& rows);
// 1 with the frame position when the open path places the page (active flag not "0").
int ReadPagePlacement(CGlobal& g, int pageNumber, int& x, int& y, int captionHeight);
// The stored rows of the page; empty when "num" is 0 or missing.
std::vector<ProjectRow> ReadPageList(CGlobal& g, int pageNumber);
// The same two from the project file at `path` with the section prefix `prefix`.
int ReadPagePlacement(const QString& path, const QString& prefix, int pageNumber, int& x, int& y,
                      int captionHeight);
std::vector<ProjectRow> ReadPageList(const QString& path, const QString& prefix, int pageNumber);
// Splits one stored entry; false when it has no key part.
bool ParseProjectRow(const QString& entry, ProjectRow& row);

// The file form of a placement from a frame position in the page area: the inverse of
// ReadPagePlacement, so a project reopens its pages where they were.
void PlacementToFile(int frameX, int frameY, int captionHeight, int& x, int& y);

// The save path for a chosen name: cut at the first "." and ".zpj" appended.
QString ProjectSavePathFor(const QString& chosen);
// The local time as the project-open stamp ("%04d%02d%02d%02d%02d%02d").
QString MakeProjectStamp();

// What saving and opening need of the main frame.
class CProjectHost {
public:
    virtual ~CProjectHost() = default;
    // The save dialog (filter "zpj (*.zpj)|*.zpj||", overwrite prompt); false when cancelled.
    virtual bool ChooseSaveFile(const QString& initialName, QString& chosen) = 0;
    // The open dialog: 1 chosen, 0 cancelled, -1 the dialog could not be created.
    virtual int ChooseOpenFile(const QString& initialName, QString& chosen) = 0;
    // WM_PAGE_NOTIFY with the code to every existing page frame.
    virtual void NotifyAllPages(int code) = 0;
    // Closes all pages (except the mode page and the separate PDO list pages).
    virtual void CloseAllPages() = 0;
    // Brings an existing page to the front and sends it WM_PLACE_PAGE (x, y), or creates it
    // by its command at (x, y) instead of (50, 20).
    virtual void OpenPageAt(int pageNumber, int x, int y) = 0;
    // Caption height of a page frame, as the pages use it when they store their placement.
    virtual int CaptionHeight() const = 0;
};

// Command 57604 / 1126. Returns 1 when a project was written.
int SaveProject(CGlobal& g, CProjectHost& host);
// Command 57601 / 1125. Returns 1 when a project was opened.
int OpenProject(CGlobal& g, CProjectHost& host);
// The initial file name of both dialogs: the user folder + "name" when it exists, else empty.
QString ProjectInitialName(const CGlobal& g);
