#pragma once
// What the project document needs from a view: a way to post it the
// document-changed notification. The application's views implement it by
// queueing their WM_DOCUMENT_CHANGED event; they update after the command
// that changed the document has finished.
//
// Open, Add and Restore post the full refresh (-1) twice: once when the
// summary is rebuilt and once at the end of the command. A view therefore
// coalesces full refreshes: while one is queued and not yet handled, a
// further -1 queues nothing, so a large grid is rebuilt once. Series hints
// (>= 0) are cheap and may be handled one by one, or dropped when a full
// refresh is pending anyway.

class CDocumentView
{
public:
    virtual ~CDocumentView() = default;
    /// hint: the index of the one series whose summary membership changed,
    /// or -1 when anything else (or everything) changed. Must only queue.
    virtual void PostDocumentChanged(int hint) = 0;
};
