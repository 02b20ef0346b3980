#pragma once
// Records and views for the plot-view tests.

#include "CFFView.h"
#include "FFile.h"

#include <QImage>
#include <QPainter>

#include <memory>
#include <vector>

// An F-file holding the given samples on a plain axis (one unit per sample).
inline std::unique_ptr<FFile> makeRecord(const std::vector<float>& values, double cdelt = 1.0)
{
    auto f = std::make_unique<FFile>();
    const int n = static_cast<int>(values.size());
    f->SetText("SIMPLE", "T");
    f->SetInt("BITPIX", -32);
    f->SetInt("NAXIS", 1);
    f->SetInt("NAXIS1", n);
    f->SetText("CTYPE1", "TIME");
    f->SetReal("CRVAL1", 0.0);
    f->SetReal("CRPIX1", 1.0);
    f->SetReal("CDELT1", cdelt);
    f->SetText("BUNIT", "K");
    f->SetReal("OBSDEC", 30.0);
    f->SetReal("NUT-RA", 0.0);
    f->SetReal("TIMEWSH", 0.0);
    f->SetReal("TIMEESH", 0.0);
    f->SetData(SampleArray::copyOf(values.data(), n), n);
    f->SetupAxis();
    return f;
}

// n samples alternating between 20 and 80, starting low.
inline std::vector<float> zigzag(int n)
{
    std::vector<float> v(static_cast<std::size_t>(n));
    for (int i = 0; i < n; ++i)
        v[static_cast<std::size_t>(i)] = i % 2 ? 80.0f : 20.0f;
    return v;
}

// A view of w x h client pixels laid out as Fit in window.
inline std::unique_ptr<CFFView> makeView(FFile& f, int w, int h)
{
    auto v = std::make_unique<CFFView>(f);
    v->resize(w, h);
    v->fitInWindow();
    return v;
}

// Paints the whole visible area of the view into an image of the window.
inline QImage paintView(CFFView& v)
{
    const QSize size = v.viewport()->size();
    QImage img(size, QImage::Format_RGB32);
    img.fill(Qt::white);
    QPainter p(&img);
    const QPoint s = v.scrollPosition();
    p.translate(-s);
    v.paintArea(p, QRect(s, size));
    return img;
}

constexpr QRgb kGrey = 0xFFC0C0C0u, kBlue = 0xFF4040FFu, kRed = 0xFFFF4040u, kBlack = 0xFF000000u;
