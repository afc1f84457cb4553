// The data list button end to end: the catalogue in the program folder, the
// list window placed under the main window, and events carried across.
#include "IntegrationFixture.h"

#include "datalist/frmDataList.h"
#include "widgets/Twips.h"

#include <QComboBox>
#include <QGuiApplication>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPointer>
#include <QScreen>

namespace {

using quorvane::PixelsToTwips;
using quorvane::TwipsToPixels;

// File order is not list order: "Alpha" sorts first.
const std::string kCatalogue =
    "\"Zulu\",\"ピカード艦長の記録\",75345.2,\"新スタートレック\"\r\n"
    "\"Alpha\",\"一年の始まり\",#2365-01-01#,#NULL#\r\n";

class DataListCommandTest : public IntegrationTest {
protected:
    frmDataList* pressData() {
        click(Ui(main).cmdData);
        return main->DataList();
    }

    QStringList titles(const frmDataList* list) const {
        QStringList result;
        for (int i = 0; i < list->cmbTitle->count(); ++i) result << list->cmbTitle->itemText(i);
        return result;
    }

    void select(frmDataList* list, const QString& title) {
        ASSERT_TRUE(QTest::qWaitForWindowActive(list));
        list->cmbTitle->setFocus();
        const int wanted = list->cmbTitle->findText(title);
        ASSERT_GE(wanted, 0);
        QComboBox* box = list->cmbTitle;
        while (box->currentIndex() < wanted) QTest::keyClick(box, Qt::Key_Down);
        while (box->currentIndex() > wanted) QTest::keyClick(box, Qt::Key_Up);
    }

    QStringList earthFields() const {
        return {Ui(main).txtYear->text(), Ui(main).txtMonth->text(), Ui(main).txtDate->text(),
                Ui(main).txtYearDate->text()};
    }

    // Where the list belongs: under the main window, centred on it, in twips
    // and single precision.
    QPoint expectedPlace(const frmDataList* list) const {
        const auto twips = [this](int pixels) {
            return static_cast<float>(PixelsToTwips(pixels, main.get()));
        };
        const QRect outer = main->frameGeometry();
        const float top = twips(outer.top()) + twips(outer.height()) + 100.0f;
        const float left = twips(outer.left()) + twips(outer.width()) / 2.0f -
                           twips(list->frameGeometry().width()) / 2.0f;
        return {TwipsToPixels(left, list), TwipsToPixels(top, list)};
    }
};

TEST_F(DataListCommandTest, CarriesEventsOfBothKindsIntoTheMainWindow) {
    writeCatalogue(kCatalogue);
    start();
    frmDataList* list = pressData();
    ASSERT_NE(list, nullptr);
    EXPECT_TRUE(list->isVisible());
    EXPECT_EQ(titles(list), QStringList({"Alpha", "Zulu"}));

    // The first title in sorted order is selected at once: an Earth date.
    EXPECT_EQ(list->cmbTitle->currentText(), "Alpha");
    EXPECT_EQ(list->txtSource->text(), "Nothing");
    EXPECT_TRUE(Ui(main).optMD->isChecked()) << "switched from the day-of-year mode it opened in";
    EXPECT_TRUE(Ui(main).txtMonth->isEnabled());
    EXPECT_EQ(main->focusWidget(), Ui(main).txtYear);
    EXPECT_EQ(earthFields().mid(0, 3), QStringList({"2365", "1", "1"}));
    EXPECT_EQ(Ui(main).txtStarDate->text(), "42000.0");

    select(list, QStringLiteral("Zulu"));
    EXPECT_EQ(list->txtDetail->toPlainText(), "ピカード艦長の記録");
    EXPECT_EQ(list->txtSource->text(), "新スタートレック");
    EXPECT_TRUE(Ui(main).optMD->isChecked());
    EXPECT_EQ(main->focusWidget(), Ui(main).txtStarDate);
    EXPECT_EQ(Ui(main).txtStarDate->text(), "75345.2");
    // Moved into the 1990-2010 window with the default reset number.
    EXPECT_EQ(earthFields(), QStringList({"1998", "5", "7", "127"}));

    select(list, QStringLiteral("Alpha"));
    EXPECT_EQ(main->focusWidget(), Ui(main).txtYear);
    EXPECT_EQ(Ui(main).txtStarDate->text(), "42000.0");
    EXPECT_TRUE(platform.messages.isEmpty()) << messageTexts().join('\n').toStdString();
}

TEST_F(DataListCommandTest, AnEarthDateReplacingALeapDayShowsNoMessage) {
    writeCatalogue(kCatalogue);
    start();
    click(Ui(main).optMD);
    typeInto(Ui(main).txtYear, QStringLiteral("2364"));
    typeInto(Ui(main).txtMonth, QStringLiteral("2"));
    typeInto(Ui(main).txtDate, QStringLiteral("29"));
    ASSERT_FALSE(Ui(main).txtStarDate->text().isEmpty());

    // 2365 has no 29 February; the date must arrive whole.
    pressData();
    EXPECT_TRUE(platform.messages.isEmpty()) << messageTexts().join('\n').toStdString();
    EXPECT_EQ(Ui(main).txtStarDate->text(), "42000.0");
}

TEST_F(DataListCommandTest, SitsCentredUnderTheMainWindow) {
    writeCatalogue(kCatalogue);
    start();
    frmDataList* list = pressData();
    EXPECT_EQ(list->frameGeometry().topLeft(), expectedPlace(list));
    EXPECT_GT(list->frameGeometry().top(), main->frameGeometry().bottom());
    EXPECT_EQ(list->parentWidget(), nullptr) << "not owned by the main window";

    // Equal outer widths: both windows share their left edge.
    const int frameWidth = main->frameGeometry().width() - main->width();
    main->setFixedWidth(list->frameGeometry().width() - frameWidth);
    main->move(TwipsToPixels(100, main.get()), main->y());
    ASSERT_EQ(main->frameGeometry().width(), list->frameGeometry().width());
    pressData();
    EXPECT_EQ(list->frameGeometry().left(), main->frameGeometry().left());
}

TEST_F(DataListCommandTest, IsPlacedBelowEvenOffTheBottomOfTheScreen) {
    writeCatalogue(kCatalogue);
    start();
    const QRect screen = main->screen()->geometry();
    main->move(main->x(), screen.bottom() - main->frameGeometry().height());
    frmDataList* list = pressData();
    EXPECT_EQ(list->frameGeometry().topLeft(), expectedPlace(list));
    EXPECT_GT(list->frameGeometry().top(), screen.bottom());
}

TEST_F(DataListCommandTest, ASecondPressMovesItBackWithoutReadingTheFileAgain) {
    writeCatalogue(kCatalogue);
    start();
    QPointer<frmDataList> list = pressData();
    list->move(0, 0);
    writeCatalogue("\"Changed\",\"c\",1,\"c\"\r\n");
    main->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(main.get()));

    EXPECT_EQ(pressData(), list.data());
    EXPECT_EQ(titles(list), QStringList({"Alpha", "Zulu"}));
    EXPECT_EQ(list->frameGeometry().topLeft(), expectedPlace(list));
    EXPECT_TRUE(QTest::qWaitForWindowActive(list.data())) << "brought to the front";

    // Closed and opened again, it reads the edited file.
    list->close();
    flushDeletes();
    ASSERT_TRUE(list.isNull());
    EXPECT_EQ(main->DataList(), nullptr);
    EXPECT_EQ(titles(pressData()), QStringList({"Changed"}));
}

TEST_F(DataListCommandTest, WithoutACatalogueTheEmptyListIsPlacedAndShownAllTheSame) {
    start();
    platform.messageAnswers.enqueue(quorvane::MessageAnswer::No);
    frmDataList* list = pressData();
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(messageTexts(), QStringList({"StarTrek.vqd がありません。自分でさがしますか？"}));
    EXPECT_TRUE(list->isVisible());
    EXPECT_EQ(list->cmbTitle->count(), 0);
    EXPECT_EQ(list->frameGeometry().topLeft(), expectedPlace(list));
    EXPECT_TRUE(Ui(main).txtYear->text().isEmpty());
}

TEST_F(DataListCommandTest, DestroyingTheMainWindowTakesTheListWithIt) {
    writeCatalogue(kCatalogue);
    start();
    QPointer<frmDataList> list = pressData();
    main.reset();
    EXPECT_TRUE(list.isNull()) << "it would write into a main window that is gone";
}

}  // namespace
