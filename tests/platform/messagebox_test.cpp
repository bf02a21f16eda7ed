#include "platform/qtmessageboxes.h"

#include <QLabel>
#include <QTimer>
#include <gtest/gtest.h>

TEST(QtMessageBoxes, LinesBreakOnlyAtLineFeeds)
{
    const QString text = "A puzzle with this name already exists in your puzzle folder! If we save this\n"
                         "puzzle with the name selected, the old saved puzzle will be gone forever!\n"
                         "Do you want us to replace the old saved puzzle with this puzzle?";
    auto box = QtMessageBoxes::build(QMessageBox::Question, "Replace 'FRUITS' ?", text,
                                     QMessageBox::Yes | QMessageBox::No);
    box->show();
    auto* label = box->findChild<QLabel*>("qt_msgbox_label");
    ASSERT_NE(label, nullptr);
    EXPECT_FALSE(label->wordWrap());
    EXPECT_EQ(label->textFormat(), Qt::PlainText);
    int widest = 0;
    for (const QString& line : text.split('\n'))
        widest = std::max(widest, label->fontMetrics().horizontalAdvance(line));
    EXPECT_GE(label->width(), widest) << "every line fits whole";
    EXPECT_EQ(box->windowTitle(), "Replace 'FRUITS' ?");
}
