#pragma once
// --screenshot FILE: waits for the main window's first paint, saves a
// picture of the window as PNG and ends the program.

#include <QObject>
#include <QString>

class QWidget;

class Screenshot : public QObject {
    Q_OBJECT
public:
    // Watches window for its first paint; the program then ends with 0
    // (saved) or 1 (the file could not be written).
    Screenshot(QWidget* window, const QString& path);

    // Renders window into a PNG file; false if it cannot be written.
    static bool save(QWidget* window, const QString& path);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void take();

    QWidget* window_;
    QString path_;
    bool armed_ = true;
};
