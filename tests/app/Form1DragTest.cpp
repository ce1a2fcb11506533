#include "FormFixture.h"

#include <QMimeData>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTreeView>
#include <QUrl>

namespace tarvello::test {
namespace {

using Entries = std::vector<std::string>;

class Form1Drag : public ShownFormFixture {
protected:
    void SetUp() override {
        ShownFormFixture::SetUp();
        view = control<QTreeView>("ListView1");
    }

    // Offers the files over the source list, then drops them; true when the
    // list took the offer.
    bool drop(const Entries& paths, QMimeData&& data = QMimeData()) {
        QList<QUrl> urls;
        for (const std::string& path : paths)
            urls.append(QUrl::fromEncoded("file://" + QByteArray::fromStdString(path).toPercentEncoding("/")));
        if (!paths.empty())
            data.setUrls(urls);
        QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &data, Qt::NoButton, {});
        QApplication::sendEvent(view->viewport(), &enter);
        QDropEvent dropped(QPointF(5, 5), Qt::CopyAction, &data, Qt::NoButton, {});
        QApplication::sendEvent(view->viewport(), &dropped);
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

// Local files and folders are appended with their exact bytes; text, web
// addresses and files of other hosts are refused; a drop does not redraw the
// plan.
TEST_F(Form1Drag, dropsAppendLocalFilesWithTheirExactBytes) {
    pickAndPress("Check8", dir.path());
    pickAndPress("Check3", dir.makeFolder("out"));  // so that a redraw would draw the files below
    const Entries files{dir.write("b.jpg"), dir.write("caf\xff.jpg"), dir.makeFolder("sub")};
    EXPECT_TRUE(drop({files[0], files[1], files[2] + "/"}));
    QMimeData text, web;
    text.setText(QStringLiteral("/etc/passwd"));
    web.setUrls({QUrl(QStringLiteral("https://example.org/a.jpg")), QUrl(QStringLiteral("urn:isbn:1")),
                 QUrl(QStringLiteral("file://elsewhere/a.jpg"))});
    EXPECT_FALSE(drop({}, std::move(text)));
    EXPECT_FALSE(drop({}, std::move(web)));
    EXPECT_EQ(form->sourceList().entries(), (Entries{dir.path(), files[0], files[1], files[2]}));
    EXPECT_TRUE(form->summary().empty());
}

// A picked entry trades places with each entry the pointer passes while the
// button is held; one cleared away while held is forgotten, not acted on.
TEST_F(Form1Drag, aPickedEntryTradesPlacesWithEachEntryThePointerPasses) {
    const struct {
        Entries start;
        std::vector<int> moves;
        Entries end;
    } cases[] = {
        {{"/A", "/B", "/C", "/D"}, {1, 2, 3}, {"/B", "/C", "/D", "/A"}},
        {{"/A", "/B", "/C", "/D"}, {3}, {"/D", "/B", "/C", "/A"}},
        {{"/A", "/A", "/B"}, {1}, {"/A", "/A", "/B"}},
    };
    for (const auto& c : cases) {
        press("Check4");
        drop(c.start);
        mouse(QEvent::MouseButtonPress, 0);
        QSignalSpy changes(view->model(), &QAbstractItemModel::dataChanged);
        EXPECT_EQ(view->viewport()->cursor().shape(), Qt::ClosedHandCursor);
        for (const int row : c.moves)
            mouse(QEvent::MouseMove, row);
        mouse(QEvent::MouseButtonRelease, c.moves.back());
        QTest::mouseMove(view->viewport(), view->visualRect(view->model()->index(0, 0)).center());  // released
        EXPECT_EQ(form->sourceList().entries(), c.end);
        const auto repainted = [&](int row) {
            return std::ranges::any_of(changes, [&](const QList<QVariant>& change) {
                return change[0].toModelIndex().row() <= row && row <= change[1].toModelIndex().row();
            });
        };
        for (int row = 0; row < int(c.end.size()); ++row)
            EXPECT_TRUE(c.start[row] == c.end[row] || repainted(row)) << "row " << row << " left stale";
        EXPECT_EQ(view->currentIndex().row(), c.moves.back());
        EXPECT_FALSE(view->viewport()->testAttribute(Qt::WA_SetCursor));
    }
    mouse(QEvent::MouseButtonPress, 0);
    press("Check4");
    drop({"/X", "/Y"});
    mouse(QEvent::MouseMove, 1);
    EXPECT_EQ(form->sourceList().entries(), (Entries{"/X", "/Y"}));
}

// Moving onto the top or bottom row of the view within reach of the
// screen's edge scrolls the next entry into view.
TEST_F(Form1Drag, movingHighOrLowOnTheScreenBringsTheNextEntryIntoView) {
    Entries many;
    for (int i = 0; i < 40; ++i)
        many.push_back("/" + std::to_string(100 + i));
    for (const auto& [screenRow, upwards, scrolled] : {std::tuple{304, true, -1}, {305, true, 0}, {364, false, 0}, {365, false, 1}}) {
        press("Check4");
        drop(many);
        view->scrollTo(view->model()->index(10, 0), QAbstractItemView::PositionAtTop);
        int bottom = 10;
        while (view->viewport()->rect().contains(view->visualRect(view->model()->index(bottom + 1, 0))))
            ++bottom;
        const int onto = upwards ? 10 : bottom;
        const int before = view->verticalScrollBar()->value();
        mouse(QEvent::MouseButtonPress, upwards ? onto + 1 : onto - 1);
        mouse(QEvent::MouseMove, onto, screenRow);
        mouse(QEvent::MouseButtonRelease, onto, screenRow);
        EXPECT_EQ(view->verticalScrollBar()->value() - before, scrolled) << screenRow;
    }
}

}  // namespace
}  // namespace tarvello::test
