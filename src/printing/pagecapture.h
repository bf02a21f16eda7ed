#pragma once

#include "printing/pagelayout.h"

class QWidget;

namespace printing {

// A page window as the printer sees it, read from its controls: labels as texts in their font
// (sized in pixels), colour and alignment; PagePictures and label pictures as pictures; filled
// panels as rectangles. Hidden controls are left out.
PageLayout DescribePage(const QWidget& page);

} // namespace printing
