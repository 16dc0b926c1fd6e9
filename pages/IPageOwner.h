// What a page may ask of the dialog it was created in: the database
// connection, the host link, and the paths that pass group changes on to
// the pages that list groups and note and group changes on to the note list.
#pragma once

#include "framework/CString.h"

class CDatabase;
class IHostLink;

class IPageOwner {
public:
    virtual CDatabase& GetDatabase() = 0;
    virtual IHostLink* GetHostLink() const = 0;
    virtual void NotifyGroupChanged(int groupId, const CString& name, bool removed) = 0;
    // Group `groupId` is now called `name`: the group lists and the note list follow.
    virtual void NotifyGroupRenamed(int groupId, const CString& name) = 0;
    // Note `noteId` is gone from the database: the note list drops it.
    virtual void NotifyNoteDeleted(int noteId) = 0;
    // The open note database's path: what is remembered per note database is kept under it.
    virtual CString DatabasePath() const = 0;

    // Running notes: the View page hands its text to the Results page (false
    // when no run started), or cancels; the Results page tells when a run
    // starts and ends, and asks for its tab to come to the front.
    virtual bool RunQuery(const CString& text) = 0;
    virtual void CancelQuery() = 0;
    virtual bool IsQueryRunning() const = 0;
    virtual void RunStateChanged(bool running) = 0;
    virtual void ShowResultsPage() = 0;
    // The data source notes run on, kept for the open note database.
    virtual CString LoadRunSource() = 0;
    virtual void SaveRunSource(const CString& choice) = 0;

protected:
    ~IPageOwner() = default;
};
