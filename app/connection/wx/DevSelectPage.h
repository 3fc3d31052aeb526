#pragma once
// The wizard's instrument-type page (start modes 0 and 1).

#include "device/DeviceTypes.h"

#include <wx/wizard.h>

#include <vector>

class CDevSelectSheet;
class wxChoice;

class CDevSelectPage : public wxWizardPageSimple
{
public:
    explicit CDevSelectPage(CDevSelectSheet* sheet);

    void Activate();
    /// Next: keeps the sheet's instrument object when its type was chosen
    /// again, else replaces it by one of the chosen type.
    bool Leave();

    wxChoice* GetTypeList() const { return m_pTypes; }
    /// The type behind each list entry.
    const std::vector<Device::NTypes>& GetOfferedTypes() const { return m_offered; }

private:
    CDevSelectSheet* m_pSheet;
    wxChoice* m_pTypes = nullptr;
    std::vector<Device::NTypes> m_offered;
};
