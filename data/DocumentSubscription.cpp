#include "data/DocumentSubscription.h"

#include "data/TerrionDoc.h"

CDocumentSubscription::CDocumentSubscription(CTerrionDoc& doc, CDocumentView& view) : m_doc(doc), m_view(view)
{
    m_doc.AddView(&m_view);
}

CDocumentSubscription::~CDocumentSubscription()
{
    m_doc.RemoveView(&m_view);
}
