#pragma once
// Registers a view with the document for as long as the subscription lives,
// so a view can never be notified after it is gone. A view holds one as a
// member, constructed with itself.

class CDocumentView;
class CTerrionDoc;

class CDocumentSubscription
{
public:
    CDocumentSubscription(CTerrionDoc& doc, CDocumentView& view);
    ~CDocumentSubscription();
    CDocumentSubscription(const CDocumentSubscription&) = delete;
    CDocumentSubscription& operator=(const CDocumentSubscription&) = delete;

private:
    CTerrionDoc& m_doc;
    CDocumentView& m_view;
};
