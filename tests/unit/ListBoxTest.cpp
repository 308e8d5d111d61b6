// The list box over plain texts: entries added one by one or in bulk as
// shown sources read back as shown, with the signals the desktop follows.
#include "controls/forms/ListBox.h"

#include <QKeyEvent>
#include <QSignalSpy>
#include <gtest/gtest.h>

TEST(ListBox, EntriesShownThroughAFunctionReadBackAsShownAndKeepTheirSignals)
{
    ListBox list;
    QSignalSpy inserted(list.model(), &QAbstractItemModel::rowsInserted);
    QSignalSpy clicks(&list, &ListBox::Click);
    QSignalSpy rows(&list, &ListBox::currentRowChanged);
    list.AddItem("plain");
    list.AddItems({"a/b", "c"}, [](const QString& source) { return source.toUpper(); });
    EXPECT_EQ(inserted.count(), 2) << "one signal a call";
    EXPECT_EQ(list.entries(), (QStringList{"plain", "A/B", "C"}));
    EXPECT_EQ(list.model()->index(2, 0).data(Qt::AccessibleTextRole), "C") << "screen readers hear what is shown";

    list.setListIndex(1);
    QKeyEvent down(QEvent::KeyPress, Qt::Key_Down, Qt::NoModifier);
    QCoreApplication::sendEvent(&list, &down);
    EXPECT_EQ(list.Text(), "C");
    EXPECT_EQ(clicks.count(), 1) << "only the key is the user's";
    EXPECT_EQ(rows.last().at(0).toInt(), 2);
    list.RemoveItem(0);
    EXPECT_EQ(list.ListIndex(), -1);
    EXPECT_EQ(list.entries(), (QStringList{"A/B", "C"}));
}
