// Every signal of every widget of the framework, each in turn, goes to a receiver that deletes the widget; the
// widget is then driven with a standard set of mouse, key and drop events and its public slots. A widget that
// reads itself after such a signal reads freed memory, which the address sanitizer turns into an abort: the rows
// share a child process, and a row that aborts it runs again in a process of its own, so that the abort fails the
// row instead of ending the run.
#include "ChildRun.h"
#include "Exhibits.h"
#include "LinkCatcher.h"
#include "TestApp.h"

#include "QMWidgets/promo/PromoAdsBar.h"
#include "QMWidgets/promo/PromoMenuBar.h"
#include "resources/Resources.h"

#include <QApplication>
#include <QDialog>
#include <QKeyEvent>
#include <QMenu>
#include <QMetaMethod>
#include <QMimeData>
#include <QMouseEvent>
#include <QPointer>
#include <QTimer>
#include <QWheelEvent>
#include <QtTest>

#include <cstring>
#include <functional>
#include <memory>
#include <vector>

namespace {

// The classes whose signals are tried: the framework's. The widgets of another library join with the prefix
// of their class names (a namespace, or the names themselves).
// The framework's classes and the script windows'.
const char *const s_subjectPrefixes[] = {"QMWidgets::", "MUI", "QMMistlark::", "JSMainWindow", "JavaScriptEvaluator",
                                         "DlgJSCompressed"};

// A signal that fires on every move is tried on its first emissions only: later ones take the same path.
const int s_mostEmissions = 8;

// Signals that a Qt widget sends out from the middle of its own handling, reading itself once the receivers
// return: QAbstractButton::setChecked after toggled, QComboBox::setCurrentIndex after currentIndexChanged,
// QLineEdit::keyPressEvent after textChanged, QAbstractItemView::mouseReleaseEvent after clicked,
// QAbstractSlider::triggerAction after valueChanged, and QWidget::show after the show event. Deleting the
// widget there is a crash in Qt whatever our code does, so an owner deletes on them with deleteLater(), and so
// does the receiver here: the row still drives the rest.
const struct
{
    const char *className;
    const char *signal;
} s_deletedLater[] = {
    {"QMWidgets::CheckButton", "onClicked()"},                         // toggled
    {"QMWidgets::CheckButton", "offClicked()"},                        // toggled
    {"QMWidgets::AniSwitch", "toggled(bool)"},                         // its check button's toggled
    {"QMWidgets::WindowTitle", "optimizeToggled(bool)"},               // its button's toggled
    {"QMWidgets::DateWidget", "dataChanged()"},                        // its combo boxes' currentIndexChanged
    {"QMWidgets::EmailEdit", "textChanged(QString)"},                  // its line edit's textChanged
    {"QMWidgets::DirView", "showContent(QString)"},                    // its tree's clicked
    {"QMWidgets::DirView", "showItem(QString)"},                       // its tree's clicked
    {"QMWidgets::ImageNoteEditor", "shown()"},                         // the show event
    {"QMWidgets::ComboSlider", "sliderMoved(int)"},                    // its slider's valueChanged
    {"QMWidgets::ResolutionSetupWidget", "resolutionChanged(QPoint)"}, // its slider's valueChanged
    {"QMMistlark::DocWindow", "changeWindowTitle(QString)"}, // its text edit's textChanged
};

// The same for the Editor and the windows above it, which keep themselves from deleteLater() as well, since a
// script reaches them and their run uses them: no receiver can delete them on these signals at all.
const struct
{
    const char *className;
    const char *signal;
} s_keptWhole[] = {
    {"QMMistlark::Editor", "changeWindowTitle(QString)"},     // its document's textChanged
    {"QMMistlark::Editor", "cursorPositionChanged(int,int)"}, // its document's cursorPositionChanged
    {"JSMainWindow", "changeWindowTitle(QString)"},           // its Editor's, from the document's textChanged
};

template <typename Table>
bool listed(const Table &table, const QMetaObject *meta, const QMetaMethod &signal)
{
    for (const auto &entry : table)
        if (qstrcmp(meta->className(), entry.className) == 0 && signal.methodSignature() == entry.signal)
            return true;
    return false;
}

bool deletedLater(const QMetaObject *meta, const QMetaMethod &signal)
{
    return listed(s_deletedLater, meta, signal);
}

bool isSubjectClass(const QMetaObject *meta)
{
    const QByteArray name(meta->className());
    for (const char *prefix : s_subjectPrefixes)
        if (name.startsWith(prefix))
            return true;
    return false;
}

// The methods of the given type that the subject classes of the widget declare, from its own class up to the
// first class that is not one of them; only public ones for slots.
QVector<QMetaMethod> subjectMethods(const QMetaObject *meta, QMetaMethod::MethodType type)
{
    QVector<QMetaMethod> methods;
    for (; meta && isSubjectClass(meta); meta = meta->superClass()) {
        for (int i = meta->methodOffset(); i < meta->methodCount(); ++i) {
            const QMetaMethod method = meta->method(i);
            if (method.methodType() == type && (type == QMetaMethod::Signal || method.access() == QMetaMethod::Public))
                methods << method;
        }
    }
    return methods;
}

// An enumeration the class or one of its bases declares, by the name a slot's parameter gives it.
bool isEnumeration(const QMetaObject *meta, const QByteArray &typeName)
{
    const QByteArray name = typeName.mid(typeName.lastIndexOf(':') + 1);
    for (; meta; meta = meta->superClass())
        if (meta->indexOfEnumerator(name.constData()) >= 0)
            return true;
    return false;
}

struct Subject
{
    QString name;
    std::function<QWidget *()> make;
};

// Shown by the gallery only inside a frame of another class.
QWidget *promoAdsBar()
{
    auto *source = new QMWidgets::PromoMenuBar(nullptr, false);
    source->moreMenu()->addAction(QStringLiteral("Tarsel for the web"));
    source->moreMenu()->addAction(QStringLiteral("More Apps"));
    auto *bar = new QMWidgets::PromoAdsBar(nullptr, source);
    source->setParent(bar);
    source->hide();
    bar->resize(480, 70);
    return bar;
}

// The gallery's exhibits of the subject classes, the first of each class, and the subject widgets the gallery
// shows only inside another widget.
const std::vector<Subject> &subjects()
{
    static std::vector<Subject> found;
    if (!found.empty())
        return found;
    QSet<QByteArray> classes;
    for (const Exhibit &exhibit : exhibits()) {
        const std::unique_ptr<QWidget> widget(exhibit.make());
        const QByteArray className = widget->metaObject()->className();
        if (!isSubjectClass(widget->metaObject()) || classes.contains(className))
            continue;
        classes.insert(className);
        found.push_back({exhibit.name, exhibit.make});
    }
    found.push_back({QStringLiteral("PromoAdsBar"), promoAdsBar});
    return found;
}

// Answers every modal dialog and closes every popup as soon as it is up, so a slot or a click that asks
// something returns; a drive never waits on a person.
class DialogCloser : public QObject
{
public:
    DialogCloser()
    {
        m_timer.setInterval(5);
        connect(&m_timer, &QTimer::timeout, this, [] {
            if (QWidget *popup = QApplication::activePopupWidget())
                popup->close();
            QWidget *modal = QApplication::activeModalWidget();
            // A dialog that a script's run opened blocks nothing, and the script debugger waits for its user;
            // closing the debugger stops the run.
            for (QWidget *window : QApplication::topLevelWidgets()) {
                const bool waiting = window->property("openedWhileScriptLive").toBool()
                    || window->windowTitle() == QLatin1String("Qt Script Debugger");
                if (!modal && window->isVisible() && waiting)
                    modal = window;
            }
            if (modal) {
                if (auto *dialog = qobject_cast<QDialog *>(modal))
                    dialog->reject();
                else
                    modal->close();
            }
        });
        m_timer.start();
    }

private:
    QTimer m_timer;
};

} // namespace

// Deletes the widget at the given emission of the signal it is connected to.
class Deleter : public QObject
{
    Q_OBJECT

public:
    Deleter(QWidget *target, int deleteAt, bool later)
        : m_target(target)
        , m_deleteAt(deleteAt)
        , m_later(later)
    {
    }

    int emissions() const { return m_emissions; }

public slots:
    void onSignal()
    {
        if (++m_emissions != m_deleteAt || !m_target)
            return;
        if (m_later)
            m_target->deleteLater();
        else
            delete m_target.data();
    }

private:
    QPointer<QWidget> m_target;
    int m_deleteAt;
    bool m_later;
    int m_emissions = 0;
};

class tst_DeleteOnSignal : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void nothingIsReadAfterTheDeletingSignal_data();
    void nothingIsReadAfterTheDeletingSignal();

private:
    // The standard drive: shown, every visible widget of it clicked, double-clicked, dragged out of itself,
    // scrolled, given a file and typed at, then the widget's public slots, then closed. Ends early once the
    // widget is gone.
    void drive(const QPointer<QWidget> &widget);
    void driveOne(const QPointer<QWidget> &root, const QPointer<QWidget> &widget);
    void invokeSlots(const QPointer<QWidget> &widget);
};

void tst_DeleteOnSignal::initTestCase()
{
    Resources::init();
    qApp->setStyleSheet(Resources::styleSheet());
}

void tst_DeleteOnSignal::nothingIsReadAfterTheDeletingSignal_data()
{
    QTest::addColumn<int>("subject");
    QTest::addColumn<int>("signalIndex");
    const std::vector<Subject> &all = subjects();
    for (int index = 0; index < int(all.size()); ++index) {
        const std::unique_ptr<QWidget> widget(all[size_t(index)].make());
        for (const QMetaMethod &signal : subjectMethods(widget->metaObject(), QMetaMethod::Signal)) {
            // A base class's signal is named with its class: a class may declare one of the same signature.
            QString row = all[size_t(index)].name + QLatin1Char(' ');
            if (signal.enclosingMetaObject() != widget->metaObject())
                row += QString::fromLatin1(signal.enclosingMetaObject()->className()).section(QLatin1Char(':'), -1)
                       + QStringLiteral("::");
            row += QString::fromLatin1(signal.methodSignature());
            QTest::newRow(qPrintable(row)) << index << signal.methodIndex();
        }
    }
}

void tst_DeleteOnSignal::nothingIsReadAfterTheDeletingSignal()
{
    QFETCH(int, subject);
    QFETCH(int, signalIndex);
    const Subject made = subjects()[size_t(subject)];
    {
        const std::unique_ptr<QWidget> probe(made.make());
        if (listed(s_keptWhole, probe->metaObject(), probe->metaObject()->method(signalIndex)))
            QSKIP("sent from inside a text edit's own handling by a widget that no receiver may delete");
    }
    RUN_ROW_IN_SHARED_CHILD(120000);
    const LinkCatcher links;
    const DialogCloser closer;
    // Deleted at its first emission, then at its second with a fresh widget, and so on, until a drive emits
    // the signal fewer times than that.
    int reached = 0;
    for (int deleteAt = 1; deleteAt <= s_mostEmissions; ++deleteAt) {
        QPointer<QWidget> widget = made.make();
        const QMetaMethod signal = widget->metaObject()->method(signalIndex);
        Deleter deleter(widget, deleteAt, deletedLater(widget->metaObject(), signal));
        const QMetaMethod onSignal = deleter.metaObject()->method(deleter.metaObject()->indexOfSlot("onSignal()"));
        QVERIFY(connect(widget, signal, &deleter, onSignal));
        drive(widget);
        if (deleter.emissions() < deleteAt) {
            delete widget.data();
            break;
        }
        // The receiver took it in the middle of the drive, and the drive went on without touching it.
        QVERIFY2(!widget, qPrintable(QStringLiteral("still there after emission %1").arg(deleteAt)));
        reached = deleteAt;
    }
    if (reached == 0)
        QSKIP("the standard drive does not emit this signal");
}

// Lets the event loop run what the last step asked for (paints, posted calls, deferred deletions); true while
// the widget is there.
static bool settle(const QPointer<QWidget> &root)
{
    QCoreApplication::processEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    return bool(root);
}

void tst_DeleteOnSignal::drive(const QPointer<QWidget> &widget)
{
    widget->show();
    if (!settle(widget))
        return;
    QList<QPointer<QWidget>> parts{widget};
    for (QWidget *child : widget->findChildren<QWidget *>())
        parts << child;
    for (const QPointer<QWidget> &part : parts) {
        if (!widget)
            return;
        if (part && part->isVisible())
            driveOne(widget, part);
    }
    if (widget)
        invokeSlots(widget);
    if (widget)
        widget->close();
    settle(widget);
}

void tst_DeleteOnSignal::driveOne(const QPointer<QWidget> &root, const QPointer<QWidget> &widget)
{
    // Sends the event and lets the loop run; false once the part or the widget is gone.
    const auto deliver = [&root, &widget](QEvent &&event) {
        QApplication::sendEvent(widget, &event);
        return settle(root) && widget;
    };
    struct Mouse
    {
        QEvent::Type type;
        int x;
        int y; // quarters of the widget's width and height; 5 is beyond it
        Qt::MouseButton button;
        Qt::MouseButtons buttons;
    };
    // A click, a double click, a drag from inside to beyond the widget, a right click.
    const Mouse mouse[] = {
        {QEvent::MouseButtonPress, 2, 2, Qt::LeftButton, Qt::LeftButton},
        {QEvent::MouseButtonRelease, 2, 2, Qt::LeftButton, Qt::NoButton},
        {QEvent::MouseButtonPress, 2, 2, Qt::LeftButton, Qt::LeftButton},
        {QEvent::MouseButtonRelease, 2, 2, Qt::LeftButton, Qt::NoButton},
        {QEvent::MouseButtonDblClick, 2, 2, Qt::LeftButton, Qt::LeftButton},
        {QEvent::MouseButtonRelease, 2, 2, Qt::LeftButton, Qt::NoButton},
        {QEvent::MouseButtonPress, 1, 1, Qt::LeftButton, Qt::LeftButton},
        {QEvent::MouseMove, 2, 2, Qt::NoButton, Qt::LeftButton},
        {QEvent::MouseMove, 3, 3, Qt::NoButton, Qt::LeftButton},
        {QEvent::MouseMove, 5, 5, Qt::NoButton, Qt::LeftButton},
        {QEvent::MouseButtonRelease, 5, 5, Qt::LeftButton, Qt::NoButton},
        {QEvent::MouseButtonPress, 2, 2, Qt::RightButton, Qt::RightButton},
        {QEvent::MouseButtonRelease, 2, 2, Qt::RightButton, Qt::NoButton},
    };
    if (!deliver(QEvent(QEvent::Enter)))
        return;
    for (const Mouse &step : mouse) {
        const QPoint point = step.x == 5 ? widget->rect().bottomRight() + QPoint(40, 40)
                                         : QPoint(widget->width() * step.x / 4, widget->height() * step.y / 4);
        if (!deliver(QMouseEvent(step.type, point, widget->mapToGlobal(point), step.button, step.buttons,
                                 Qt::NoModifier)))
            return;
    }
    const QPoint centre = widget->rect().center();
    if (!deliver(QWheelEvent(centre, widget->mapToGlobal(centre), QPoint(), QPoint(0, -120), Qt::NoButton,
                             Qt::NoModifier, Qt::NoScrollPhase, false)))
        return;
    // A file dropped on it.
    QMimeData file;
    file.setUrls({QUrl::fromLocalFile(TestApp::homePath() + QStringLiteral("/dropped.txt"))});
    if (!deliver(QDragEnterEvent(centre, Qt::CopyAction, &file, Qt::LeftButton, Qt::NoModifier))
        || !deliver(QDropEvent(centre, Qt::CopyAction, &file, Qt::LeftButton, Qt::NoModifier)))
        return;
    const int keys[] = {Qt::Key_A, Qt::Key_Space, Qt::Key_Return, Qt::Key_Up, Qt::Key_Down, Qt::Key_Left,
                        Qt::Key_Right, Qt::Key_Home, Qt::Key_End, Qt::Key_PageDown, Qt::Key_Backspace,
                        Qt::Key_Delete, Qt::Key_Tab, Qt::Key_Escape};
    for (const int key : keys) {
        const QString text = key == Qt::Key_A       ? QStringLiteral("a")
                             : key == Qt::Key_Space ? QStringLiteral(" ")
                                                    : QString();
        if (!deliver(QKeyEvent(QEvent::KeyPress, key, Qt::NoModifier, text))
            || !deliver(QKeyEvent(QEvent::KeyRelease, key, Qt::NoModifier, text)))
            return;
    }
    deliver(QEvent(QEvent::Leave));
}

void tst_DeleteOnSignal::invokeSlots(const QPointer<QWidget> &widget)
{
    QVector<QMetaMethod> publicSlots = subjectMethods(widget->metaObject(), QMetaMethod::Slot);
    // Those without arguments first: setters given empty values would undo what the events built, such as a
    // stroke for Undo to take back.
    std::stable_sort(publicSlots.begin(), publicSlots.end(),
                     [](const QMetaMethod &a, const QMetaMethod &b) {
                         return a.parameterCount() < b.parameterCount();
                     });
    for (const QMetaMethod &slot : publicSlots) {
        if (!widget)
            return;
        // Each argument an empty value of its type; an enumeration's is its first value. A slot that takes an
        // object is left out: a signal hands it a real one.
        std::vector<std::shared_ptr<void>> values;
        QVector<void *> arguments{nullptr};
        bool callable = true;
        for (int i = 0; i < slot.parameterCount() && callable; ++i) {
            const int type = slot.parameterType(i);
            if (type != QMetaType::UnknownType && !(QMetaType::typeFlags(type) & QMetaType::PointerToQObject)
                && !QByteArray(QMetaType::typeName(type)).endsWith('*')) {
                // Zeroed first: a type of the language is left as the memory held it.
                void *value = ::operator new(size_t(QMetaType::sizeOf(type)));
                std::memset(value, 0, size_t(QMetaType::sizeOf(type)));
                values.emplace_back(QMetaType::construct(type, value, nullptr), [type](void *constructed) {
                    QMetaType::destruct(type, constructed);
                    ::operator delete(constructed);
                });
            } else if (isEnumeration(widget->metaObject(), slot.parameterTypes().at(i))) {
                values.emplace_back(new int(0), [](void *value) { delete static_cast<int *>(value); });
            } else {
                callable = false;
            }
            if (callable)
                arguments << values.back().get();
        }
        if (!callable)
            continue;
        QMetaObject::metacall(widget, QMetaObject::InvokeMetaMethod, slot.methodIndex(), arguments.data());
        settle(widget);
    }
}

int main(int argc, char **argv)
{
    // Freed memory is filled, so that Qt's own code, which the sanitizer does not watch, crashes too when it
    // reads a widget deleted under it, instead of reading what the widget held.
    if (!isChildRun()) {
        const QByteArray options = qgetenv("ASAN_OPTIONS");
        qputenv("ASAN_OPTIONS",
                options + (options.isEmpty() ? "" : ":") + "max_free_fill_size=1048576:free_fill_byte=190");
    }
    TestApp app(argc, argv);
    tst_DeleteOnSignal test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_DeleteOnSignal.moc"
