#include "QtMessageSink.h"

#include "QtProgressHook.h"

#include "BusyCursor.h"

#include "CCorrelationDlg.h"

#include <QApplication>
#include <QGuiApplication>
#include <QMessageBox>

namespace {

// Message texts are bytes of the Latin-1 range (the angle text carries the
// degree sign 0xB0).
QString text8(const std::string& s) { return QString::fromLatin1(s.data(), static_cast<qsizetype>(s.size())); }

// The wait cursor of a running operation must not hide the pointer over a
// box that wants an answer: it is lifted while the guard lives.
class PointerForAnswer {
public:
    PointerForAnswer()
    {
        while (QGuiApplication::overrideCursor()) {
            QGuiApplication::restoreOverrideCursor();
            ++lifted_;
        }
    }
    ~PointerForAnswer()
    {
        for (int i = 0; i < lifted_; ++i)
            QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    }
    PointerForAnswer(const PointerForAnswer&) = delete;
    PointerForAnswer& operator=(const PointerForAnswer&) = delete;

private:
    int lifted_ = 0;
};

int showBox(QMessageBox::Icon icon, const QString& caption, const QString& text, QMessageBox::StandardButtons buttons)
{
    PointerForAnswer pointer;
    QMessageBox box(icon, caption, text, buttons, QApplication::activeWindow());
    return box.exec();
}

}  // namespace

void QtMessageSink::error(const std::string& text)
{
    showBox(QMessageBox::Warning, QStringLiteral("Error"), text8(text), QMessageBox::Ok);
}

void QtMessageSink::fatal(const std::string& text)
{
    showBox(QMessageBox::Critical, QStringLiteral("Fatal Error"), text8(text), QMessageBox::Ok);
}

namespace {

QMessageBox::StandardButtons buttonSet(Buttons buttons)
{
    switch (buttons) {
    case Buttons::Ok: return QMessageBox::Ok;
    case Buttons::OkCancel: return QMessageBox::Ok | QMessageBox::Cancel;
    case Buttons::YesNo: return QMessageBox::Yes | QMessageBox::No;
    case Buttons::YesNoCancel: return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
    }
    return QMessageBox::Ok;
}

Answer answerOf(int button)
{
    switch (button) {
    case QMessageBox::Ok: return Answer::Ok;
    case QMessageBox::Yes: return Answer::Yes;
    case QMessageBox::No: return Answer::No;
    default: return Answer::Cancel;
    }
}

}  // namespace

Answer QtMessageSink::ask(const std::string& caption, const std::string& text, Buttons buttons)
{
    return answerOf(showBox(QMessageBox::Question, text8(caption), text8(text), buttonSet(buttons)));
}

Answer QtMessageSink::show(Icon icon, const std::string& caption, const std::string& text, Buttons buttons)
{
    const QMessageBox::Icon boxIcon = icon == Icon::Stop      ? QMessageBox::Critical
                                      : icon == Icon::Warning ? QMessageBox::Warning
                                                              : QMessageBox::Question;
    return answerOf(showBox(boxIcon, text8(caption), text8(text), buttonSet(buttons)));
}

void QtMessageSink::info(const std::string& caption, const std::string& text)
{
    showBox(QMessageBox::Information, text8(caption), text8(text), QMessageBox::Ok);
}

void QtMessageSink::showTable(const std::string& title, const std::string& text)
{
    // The only table the program shows is the correlation matrix.
    PointerForAnswer pointer;
    CCorrelationDlg::Show(text8(title), text8(text));
}

void QtMessageSink::installAll()
{
    static QtMessageSink sink;
    Messages::install(&sink);
    BusyCursor::setHook([](bool busy) {
        if (busy)
            QGuiApplication::setOverrideCursor(Qt::WaitCursor);
        else
            QGuiApplication::restoreOverrideCursor();
    });
    Progress::setHook(std::make_shared<QtProgressHook>());
    Messages::installOutOfMemoryHandler();
}
