// The list box over plain texts: what the handlers and the desktop read from
// it, whether its entries were added one by one or in bulk as shown sources.
#include "controls/forms/ListBox.h"

#include <QKeyEvent>
#include <QSignalSpy>
#include <gtest/gtest.h>

namespace {
QString upper(const QString& source)
{
    return source.toUpper();
}
} // namespace

TEST(ListBox, EntriesShownThroughAFunctionReadBackAsShownAndKeepTheirSignals)
{
    ListBox list;
    QSignalSpy inserted(list.model(), &QAbstractItemModel::rowsInserted);
    QSignalSpy removed(list.model(), &QAbstractItemModel::rowsRemoved);
    QSignalSpy reset(list.model(), &QAbstractItemModel::modelReset);
    QSignalSpy clicks(&list, &ListBox::Click);
    QSignalSpy rows(&list, &ListBox::currentRowChanged);

    list.AddItem("plain");
    list.AddItems({"a/b", "c"}, upper);
    list.AddItems({"d/e"});
    EXPECT_EQ(inserted.count(), 3) << "one signal a call";
    EXPECT_EQ(list.entries(), (QStringList{"plain", "A/B", "C", "d/e"}));
    EXPECT_EQ(list.List(1), "A/B");
    EXPECT_EQ(list.List(4), QString());
    EXPECT_EQ(list.model()->index(2, 0).data(Qt::AccessibleTextRole), "C") << "screen readers hear what is shown";

    list.setListIndex(1);
    QKeyEvent down(QEvent::KeyPress, Qt::Key_Down, Qt::NoModifier);
    QCoreApplication::sendEvent(&list, &down);
    EXPECT_EQ(list.ListIndex(), 2);
    EXPECT_EQ(list.Text(), "C");
    EXPECT_EQ(clicks.count(), 1) << "only the key is the user's";
    ASSERT_FALSE(rows.isEmpty());
    EXPECT_EQ(rows.last().at(0).toInt(), 2);

    list.RemoveItem(0);
    EXPECT_EQ(removed.count(), 1);
    EXPECT_EQ(list.ListIndex(), -1);
    EXPECT_EQ(list.entries(), (QStringList{"A/B", "C", "d/e"}));
    list.Clear();
    EXPECT_EQ(reset.count(), 1);
    EXPECT_EQ(list.ListCount(), 0);
}
