#include "FormFixture.h"

#include <QMimeData>
#include <QScrollBar>
#include <QTreeView>
#include <QUrl>

namespace tarvello::test {
namespace {

using Entries = std::vector<std::string>;

class Form1Drag : public FormFixture {
protected:
    void SetUp() override {
        showForm();
        view = control<QTreeView>("ListView1");
    }

    static std::unique_ptr<QMimeData> Files(const Entries& paths) {
        auto data = std::make_unique<QMimeData>();
        QList<QUrl> urls;
        for (const std::string& path : paths)
            urls.append(QUrl::fromEncoded("file://" + QByteArray::fromStdString(path).toPercentEncoding("/")));
        data->setUrls(urls);
        return data;
    }

    // Offers the data over the source list, then drops it; true when the
    // list took the offer.
    bool dragAndDrop(const QMimeData& data) {
        QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &data, Qt::NoButton, {});
        QApplication::sendEvent(view->viewport(), &enter);
        QDropEvent drop(QPointF(5, 5), Qt::CopyAction, &data, Qt::NoButton, {});
        QApplication::sendEvent(view->viewport(), &drop);
        return enter.isAccepted();
    }

    // A mouse event over a row of the source list, at the given screen row.
    void mouse(QEvent::Type type, int row, int screenRow = 330) {
        const QPoint at = view->visualRect(view->model()->index(row, 0)).center();
        const Qt::MouseButtons held = type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton;
        QMouseEvent event(type, at, QPointF(at.x(), screenRow),
                          type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton, held, {});
        QApplication::sendEvent(view->viewport(), &event);
    }

    QTreeView* view = nullptr;
};

// Local files and folders are appended with their exact bytes; text and
// web addresses are refused; a drop does not redraw the plan.
TEST_F(Form1Drag, dropsAppendLocalFilesWithTheirExactBytes) {
    const TempDir dir;
    pickAndPress("Check8", dir.path());
    const Entries files{dir.write("b.jpg"), dir.write("caf\xff.jpg"), dir.makeFolder("sub")};
    EXPECT_TRUE(dragAndDrop(*Files({files[0], files[1], files[2] + "/"})));
    QMimeData text, web;
    text.setText(QStringLiteral("/etc/passwd"));
    web.setUrls({QUrl(QStringLiteral("https://example.org/a.jpg"))});
    EXPECT_FALSE(dragAndDrop(text));
    EXPECT_FALSE(dragAndDrop(web));
    EXPECT_EQ(form->sourceList().entries(), (Entries{dir.path(), files[0], files[1], files[2]}));
    EXPECT_TRUE(form->summary().empty());
}

TEST_F(Form1Drag, aPickedEntryTradesPlacesWithEachEntryThePointerPasses) {
    struct Case {
        Entries start;
        std::vector<int> moves;
        Entries end;
    };
    const Case cases[] = {
        {{"/A", "/B", "/C", "/D"}, {1, 2, 3}, {"/B", "/C", "/D", "/A"}},
        {{"/A", "/B", "/C", "/D"}, {3}, {"/D", "/B", "/C", "/A"}},
        {{"/A", "/A", "/B"}, {1}, {"/A", "/A", "/B"}},
    };
    for (const Case& c : cases) {
        press("Check4");
        dragAndDrop(*Files(c.start));
        mouse(QEvent::MouseButtonPress, 0);
        EXPECT_EQ(view->viewport()->cursor().shape(), Qt::ClosedHandCursor);
        for (const int row : c.moves)
            mouse(QEvent::MouseMove, row);
        mouse(QEvent::MouseButtonRelease, c.moves.back());
        EXPECT_EQ(form->sourceList().entries(), c.end);
        EXPECT_EQ(view->currentIndex().row(), c.moves.back());
        EXPECT_FALSE(view->viewport()->testAttribute(Qt::WA_SetCursor));
    }

    // An entry cleared away while held is forgotten, not acted on.
    mouse(QEvent::MouseButtonPress, 0);
    press("Check4");
    dragAndDrop(*Files({"/X", "/Y"}));
    mouse(QEvent::MouseMove, 1);
    EXPECT_EQ(form->sourceList().entries(), (Entries{"/X", "/Y"}));
}

TEST_F(Form1Drag, movingHighOrLowOnTheScreenBringsTheNextEntryIntoView) {
    Entries many;
    for (int i = 0; i < 40; ++i)
        many.push_back("/" + std::to_string(100 + i));
    struct Case {
        int screenRow;
        bool upwards;
        int scrolled;
    };
    for (const Case c : {Case{304, true, -1}, Case{305, true, 0}, Case{364, false, 0}, Case{365, false, 1}}) {
        press("Check4");
        dragAndDrop(*Files(many));
        view->scrollTo(view->model()->index(10, 0), QAbstractItemView::PositionAtTop);
        int bottom = 10;
        while (view->viewport()->rect().contains(view->visualRect(view->model()->index(bottom + 1, 0))))
            ++bottom;
        const int onto = c.upwards ? 10 : bottom;
        const int before = view->verticalScrollBar()->value();
        mouse(QEvent::MouseButtonPress, c.upwards ? onto + 1 : onto - 1);
        mouse(QEvent::MouseMove, onto, c.screenRow);
        mouse(QEvent::MouseButtonRelease, onto, c.screenRow);
        EXPECT_EQ(view->verticalScrollBar()->value() - before, c.scrolled) << c.screenRow;
    }
}

}  // namespace
}  // namespace tarvello::test
