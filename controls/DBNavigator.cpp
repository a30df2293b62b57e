#include "DBNavigator.h"

#include "Cursor.h"
#include "DataSource.h"
#include "Dialogs.h"
#include "Guard.h"

#include <QToolButton>

using namespace Qt::Literals::StringLiterals;

namespace controls {
namespace {

constexpr std::array<NavigatorButton, 10> allButtons = {
    NavigatorButton::First, NavigatorButton::Prior,  NavigatorButton::Next, NavigatorButton::Last,
    NavigatorButton::Insert, NavigatorButton::Delete, NavigatorButton::Edit, NavigatorButton::Post,
    NavigatorButton::Cancel, NavigatorButton::Refresh};

QString buttonName(NavigatorButton which)
{
    static const std::array<QString, 10> names = {u"First"_s,  u"Prior"_s, u"Next"_s, u"Last"_s,   u"Insert"_s,
                                                  u"Delete"_s, u"Edit"_s,  u"Post"_s, u"Cancel"_s, u"Refresh"_s};
    return names[std::size_t(which)];
}

} // namespace

DBNavigator::DBNavigator(QWidget* parent, const QString& objectName, store::DataSource& source)
    : QWidget(parent), source_(source)
{
    setObjectName(objectName);
    setLayoutDirection(Qt::LeftToRight); // first at the left, whatever the window's reading order
    resize(240, 25);
    for (NavigatorButton which : allButtons) {
        auto* shown = new QToolButton(this);
        shown->setObjectName(objectName + buttonName(which));
        shown->setIcon(navigatorGlyph(which));
        shown->setFocusPolicy(Qt::NoFocus);
        shown->setAutoRaise(false);
        connectGuarded(shown, &QToolButton::clicked, this, [this, which] { press(which); });
        buttons_[std::size_t(which)] = shown;
    }
    source_.addLink(*this);
    enableButtons();
}

DBNavigator::~DBNavigator()
{
    source_.removeLink(*this);
}

store::Cursor& DBNavigator::cursor() const
{
    return source_.DataSet();
}

void DBNavigator::press(NavigatorButton which)
{
    store::Cursor& shown = cursor();
    switch (which) {
    case NavigatorButton::First:
        shown.First();
        break;
    case NavigatorButton::Prior:
        shown.Prior();
        break;
    case NavigatorButton::Next:
        shown.Next();
        break;
    case NavigatorButton::Last:
        shown.Last();
        break;
    case NavigatorButton::Insert:
        shown.Insert();
        break;
    case NavigatorButton::Delete:
        if (dialogs().confirmDelete())
            shown.Delete();
        break;
    case NavigatorButton::Edit:
        shown.Edit();
        break;
    case NavigatorButton::Post:
        shown.Post();
        break;
    case NavigatorButton::Cancel:
        shown.Cancel();
        break;
    case NavigatorButton::Refresh:
        shown.Refresh();
        break;
    }
}

void DBNavigator::enableButtons() noexcept
{
    const store::Cursor& shown = cursor();
    const bool open = shown.Active() && shown.CanModify();
    const bool pending = shown.State() == store::CursorState::Inserting || shown.State() == store::CursorState::Editing;
    button(NavigatorButton::First)->setEnabled(open && !shown.Bof());
    button(NavigatorButton::Prior)->setEnabled(open && !shown.Bof());
    button(NavigatorButton::Next)->setEnabled(open && !shown.Eof());
    button(NavigatorButton::Last)->setEnabled(open && !shown.Eof());
    button(NavigatorButton::Insert)->setEnabled(open);
    button(NavigatorButton::Delete)->setEnabled(open && !shown.IsEmpty());
    button(NavigatorButton::Edit)->setEnabled(open && !pending);
    button(NavigatorButton::Post)->setEnabled(open && pending);
    button(NavigatorButton::Cancel)->setEnabled(open && pending);
    button(NavigatorButton::Refresh)->setEnabled(open);
}

void DBNavigator::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    // The width is shared equally; the pixels left over go to the first buttons.
    const int count = int(buttons_.size());
    const int share = width() / count;
    const int left = width() % count;
    int x = 0;
    for (int n = 0; n < count; ++n) {
        const int w = share + (n < left ? 1 : 0);
        buttons_[std::size_t(n)]->setGeometry(x, 0, w, height());
        x += w;
    }
}

void DBNavigator::recordChanged()
{
    enableButtons();
}

void DBNavigator::stateChanged() noexcept
{
    enableButtons();
}

void DBNavigator::dataSetChanged() noexcept
{
    enableButtons();
}

} // namespace controls
