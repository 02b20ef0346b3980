#pragma once
// A ruler beside a plot view: the X coordinate below it (in the record's
// own text forms, with the unit at the right end) or the sample value at
// its left (with the Y units at the top). The rulers live outside the view,
// in the frame around it, so that the view's own pixel mapping is untouched;
// they follow the view's scroll position and scales by watching its
// viewport, which repaints after every change of either.

#include "RulerTicks.h"

#include <QPointer>
#include <QWidget>

#include <vector>

class CFFView;

class CAxisRuler : public QWidget {
    Q_OBJECT
public:
    enum Side { Bottom, Left };

    CAxisRuler(CFFView* view, Side side, QWidget* parent = nullptr);

    // A widget holding view with a left and a bottom ruler (shown or not).
    static QWidget* frameView(CFFView* view, bool shown);
    // Shows or hides the rulers of a widget made by frameView.
    static void setRulersShown(QWidget* frame, bool shown);

    Side side() const { return side_; }

    // A tick as drawn: its position along the ruler in the ruler's pixels
    // (x for Bottom, y for Left).
    struct Mark {
        int pos = 0;
        RulerTicks::Tick tick;
    };
    // The ticks for the view as it is now, and the unit text.
    std::vector<Mark> marks() const;
    QString unitText() const;

    // Looks at the view again; repaints when what it shows has changed.
    void refresh();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    // The values at both ends of the viewport and the map from a value to
    // a ruler pixel: pos = offset + (value - origin) * scale.
    struct Span {
        double lo = 0, hi = 0;
        double origin = 0, scale = 0, offset = 0;
        int length = 0;  // viewport extent along the ruler
        bool valid = false;
    };
    Span span() const;
    std::vector<Mark> marksFor(const Span& s, double minPixels) const;
    RulerTicks::Kind kind() const;
    std::vector<double> stateKey() const;
    void fitWidth(const std::vector<Mark>& marks);

    QPointer<CFFView> view_;
    Side side_;
    std::vector<double> shownKey_;
};
