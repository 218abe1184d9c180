#pragma once

#include "ui/kit/Controls.h"

namespace ui
{

class LinkLabel;

// Which of the strip's two promotional labels lies on top; they cover the
// same place, so the one on top is the one seen and clicked.
enum class Promotion {
    AsLaidOut, // the co-branding label, made last
    CoBrand,
    FullBrand,
};

// The promotional strip along the main window's bottom edge.
class PromotionStrip final : public Frame
{
    Q_OBJECT
  public:
    PromotionStrip(Promotion onTop, QWidget *parent);
};

} // namespace ui
