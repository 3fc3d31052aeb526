#pragma once
// What the project document needs from a view: a way to post it the
// document-changed notification. The application's views implement it by
// queueing their WM_DOCUMENT_CHANGED event; they update after the command
// that changed the document has finished.

class CDocumentView
{
public:
    virtual ~CDocumentView() = default;
    /// hint: the index of the one series whose summary membership changed,
    /// or -1 when anything else (or everything) changed. Must only queue.
    virtual void PostDocumentChanged(int hint) = 0;
};
