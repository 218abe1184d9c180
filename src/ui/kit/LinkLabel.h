#pragma once

#include <QLabel>

namespace ui
{

// A label that acts as a web link: hand pointer, and a click anywhere on it
// (press and release over the label) emits clicked(), as click() does.
class LinkLabel : public QLabel
{
    Q_OBJECT
  public:
    explicit LinkLabel(const QString &text, QWidget *parent = nullptr);

    void click() { emit clicked(); }

  signals:
    void clicked();

  protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

  private:
    bool m_pressed = false;
};

} // namespace ui
