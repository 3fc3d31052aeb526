#pragma once
#include <string>

#include "views/SummaryDiagram.h"

/// Everything of the document that the summary page shows, read at once:
/// the page is laid out again only when this (or its width) changes.
struct SSummaryInput
{
    /// The bars in the diagram's order, the summary count, the mean and the
    /// largest of the means, the shown order, the unit.
    SSummaryDiagramInput diagram;
    double sd = 0.0; ///< sample standard deviation of the summary means
    double min = 0.0;
    double max = 0.0;
    std::wstring comment; ///< without surrounding blanks
    int hovered = 0;      ///< the clickable text under the pointer (CSummaryPage::NLink)

    friend bool operator==(const SSummaryInput&, const SSummaryInput&) = default;
};
