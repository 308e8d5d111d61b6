// The list box over plain texts: entries added in bulk as shown sources read
// back as shown, to screen readers too, in one change signal.
#include "controls/forms/ListBox.h"

#include <QSignalSpy>
#include <gtest/gtest.h>

TEST(ListBox, EntriesShownThroughAFunctionReadBackAsShownInOneSignal)
{
    ListBox list;
    QSignalSpy inserted(list.model(), &QAbstractItemModel::rowsInserted);
    list.AddItem("plain");
    list.AddItems({"a/b", "c"}, [](const QString& source) { return source.toUpper(); });
    EXPECT_EQ(inserted.count(), 2) << "one signal a call";
    EXPECT_EQ(list.entries(), (QStringList{"plain", "A/B", "C"}));
    EXPECT_EQ(list.List(1), "A/B");
    EXPECT_EQ(list.model()->index(2, 0).data(Qt::AccessibleTextRole), "C") << "screen readers hear what is shown";
}
