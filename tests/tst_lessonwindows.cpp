#include "lessoncatalogue.h"
#include "lessonfixture.h"
#include "lessonwindow.h"
#include "lessonwindows.h"
#include "messages.h"
#include "navigationbar.h"
#include "ownedcomponents.h"
#include "resumerequest.h"
#include "uiloader.h"
#include "verdicts.h"
#include "writtenanswers.h"

#include <QApplication>
#include <QLayout>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSet>
#include <QTabWidget>
#include <QToolButton>
#include <QtTest>

namespace {

// The exercise data files a window's drills read: "ekz" + the first two
// characters of each code.
QStringList DataFilesOf(const LessonEntry& entry) {
  const DrillCodes& codes = entry.drills;
  QList<const char*> all{codes.wordGame,   codes.pronunciation,   codes.listening,
                         codes.accusative, codes.accusativeTexts, codes.own};
  for (const GapDrill& gaps : codes.gaps) all.append(gaps.code);
  QSet<QString> files;
  for (const char* code : all) {
    if (*code) files.insert(QStringLiteral("ekz%1.dat").arg(QLatin1String(code).left(2)));
  }
  return files.values();
}

struct WindowFiles : LessonFiles {
  explicit WindowFiles(const LessonEntry& entry) : LessonFiles(DataFilesOf(entry)) {}
};

// The window's answer fields: plain edits and editable memos with a Tag above 0.
QList<QWidget*> AnswerFields(TLessonWindow* window, const QWidget* page = nullptr) {
  QList<QWidget*> fields;
  for (QWidget* component : OwnedComponents(window)) {
    if (ComponentTag(component) <= 0 || (page && !page->isAncestorOf(component))) continue;
    const auto* memo = qobject_cast<QPlainTextEdit*>(component);
    if (qobject_cast<QLineEdit*>(component) || (memo && !memo->isReadOnly())) fields.append(component);
  }
  return fields;
}

void SetAnswer(QWidget* field, const QString& text) {
  if (auto* edit = qobject_cast<QLineEdit*>(field)) edit->setText(text);
  if (auto* memo = qobject_cast<QPlainTextEdit*>(field)) memo->setPlainText(text);
}

QString AnswerOf(const QWidget* field) {
  if (const auto* edit = qobject_cast<const QLineEdit*>(field)) return edit->text();
  if (const auto* memo = qobject_cast<const QPlainTextEdit*>(field)) return memo->toPlainText();
  return QString();
}

int PageOf(const TLessonWindow* window, const QWidget* component) {
  for (int i = 0; i < window->Pagxaro()->count(); ++i) {
    if (window->Pagxaro()->widget(i)->isAncestorOf(component)) return i;
  }
  return -1;
}

// Each page's components in order, by name and text.
QList<QStringList> PageMakeup(TLessonWindow* window) {
  QList<QStringList> pages(window->Pagxaro()->count());
  for (QWidget* component : OwnedComponents(window)) {
    const int page = PageOf(window, component);
    if (page >= 0)
      pages[page].append(component->objectName() + QLatin1Char(' ') + component->property("text").toString());
  }
  return pages;
}

}  // namespace

// What every lesson window shares, one row per window of the catalogue.
class TestLessonWindows : public QObject {
  Q_OBJECT

  const LessonEntry* entry_ = nullptr;

  // Opened as the main menu opens it: the rest of the pages are built once
  // the first has painted.
  std::unique_ptr<TLessonWindow> OpenFirstPageFirst() {
    std::unique_ptr<QDialog> dialog = CreateLessonWindow(entry_->lessonValue, nullptr, PageBuilding::FirstPageFirst);
    auto* window = qobject_cast<TLessonWindow*>(dialog.get());
    if (window) dialog.release();
    return std::unique_ptr<TLessonWindow>(window);
  }
  std::unique_ptr<TLessonWindow> Open() {
    auto window = OpenFirstPageFirst();
    if (!window) return window;
    window->show();
    if (!QTest::qWaitFor([&] { return window->PagesComplete(); })) return nullptr;
    return window;
  }

 private Q_SLOTS:
  void initTestCase() {
    RegisterLessonWidgets();
    SetBuiltInMessages();
    SoundsEnabled() = false;
  }
  void init() {
    CurrentSettings() = Settings{};
    ResumeRequested() = false;
    QFETCH_GLOBAL(int, lesson);
    entry_ = LessonOfValue(lesson);
  }
  void initTestCase_data() {
    QTest::addColumn<int>("lesson");
    for (const LessonEntry& entry : LessonCatalogue()) QTest::newRow(entry.menuButton) << entry.lessonValue;
  }

  // Every page's content fits the fixed window: nothing is cut off.
  void everyPageFitsTheWindow() {
    WindowFiles files(*entry_);
    auto window = Open();
    QVERIFY(window);
    QTabWidget* pages = window->Pagxaro();
    QVERIFY(pages->count() > 0);
    for (int i = 0; i < pages->count(); ++i) {
      pages->setCurrentIndex(i);
      QWidget* page = pages->widget(i);
      QApplication::processEvents();
      const QLayout* layout = page->layout();
      if (!layout) continue;
      // Wrapped texts grow downwards as the page narrows them.
      const int height =
          layout->hasHeightForWidth() ? layout->minimumHeightForWidth(page->width()) : layout->minimumSize().height();
      QVERIFY2(height <= page->height() && layout->minimumSize().width() <= page->width(),
               qPrintable(QStringLiteral("%1 needs %2 x %3")
                              .arg(page->objectName())
                              .arg(layout->minimumSize().width())
                              .arg(height)));
    }
  }

  // A speaking button is heard from its own window's folder and no other.
  void speakingButtonsSpeakFromTheirWindowsFolder() {
    WindowFiles files(*entry_);
    auto window = Open();
    const QString folder = QStringLiteral("sonoj\\lec%1\\").arg(window->SoundFolder());
    for (const LessonRecording& recording : window->Recordings()) {
      QVERIFY2(!window->SoundFolder().isEmpty() && recording.relativePath.startsWith(folder),
               qPrintable(recording.relativePath));
    }
  }

  // "Where did I stop?" opens the remembered page; leaving remembers it.
  void resumeAndLeave() {
    WindowFiles files(*entry_);
    CurrentSettings().LastaPagxo = 1;
    ResumeRequested() = true;
    auto window = Open();
    QCOMPARE(window->Pagxaro()->currentIndex(), 1);
    window->Pagxaro()->setCurrentIndex(window->Pagxaro()->count() - 1);
    window->close();
    QVERIFY(window->Closing());
    QCOMPARE(CurrentSettings().LastaLeciono, entry_->lessonValue);
    QCOMPARE(CurrentSettings().LastaPagxo, window->Pagxaro()->count() - 1);
  }

  // Escape neither closes the window nor ends what runs in it.
  void escapeDoesNotClose() {
    WindowFiles files(*entry_);
    auto window = Open();
    QTest::keyClick(window.get(), Qt::Key_Escape);
    QApplication::processEvents();
    QVERIFY(window->isVisible());
    QVERIFY(!window->Closing());
  }

  // Typed answers are kept when the window closes, come back with it and
  // reach the Monitor from their page.
  void answersAreKeptAndSent() {
    const QString answer = QStringLiteral("Mi lernas Esperanton ĉiutage.");
    WindowFiles files(*entry_);
    QString fieldName;
    {
      auto window = Open();
      const QList<QWidget*> fields = AnswerFields(window.get());
      if (fields.isEmpty()) {
        // Nothing to write: nothing to save either.
        QVERIFY(!window->SubaParto()->Savu()->isEnabled());
        return;
      }
      QWidget* field = fields.last();
      fieldName = field->objectName();
      window->Pagxaro()->setCurrentIndex(PageOf(window.get(), field));
      SetAnswer(field, answer);
      QVERIFY(window->SubaParto()->Savu()->isEnabled());
      CurrentSettings().Sistemo = 0;
      QVERIFY2(BuildMonitorMessage(window->Pagxaro()).body.contains(answer), qPrintable(fieldName));
      window->close();
    }
    auto window = Open();
    QCOMPARE(AnswerOf(OwnedComponent(window.get(), fieldName)), answer);
    QVERIFY(!window->SubaParto()->Savu()->isEnabled());
  }

  // The page the window opens on is built at once and the others once it
  // has painted; built so, the window is the same as one built whole, and
  // an answer on a page not built yet is neither lost nor saved over.
  void opensOnItsPageFirstAndBuildsTheRestAfter() {
    WindowFiles files(*entry_);
    QList<QStringList> whole;
    QString lateField;
    int last = 0;
    {
      auto window = OpenLesson<TLessonWindow>(entry_->lessonValue);
      last = window->Pagxaro()->count() - 1;

      const QList<QWidget*> fields = AnswerFields(window.get());
      if (!fields.isEmpty() && PageOf(window.get(), fields.last()) != window->Pagxaro()->count() - 1) {
        lateField = fields.last()->objectName();
        SetAnswer(fields.last(), QStringLiteral("Ĝi restas."));
        QVERIFY(SaveWrittenAnswers(window->Pagxaro()));
      }
      whole = PageMakeup(window.get());
    }
    CurrentSettings().LastaPagxo = last;
    ResumeRequested() = true;
    auto window = OpenFirstPageFirst();
    QVERIFY(window);
    QCOMPARE(window->Pagxaro()->currentIndex(), last);
    QVERIFY(window->PageBuilt(last));
    for (int i = 0; i < last; ++i) QVERIFY(!window->PageBuilt(i));
    QVERIFY(!window->PagesComplete());
    if (!lateField.isEmpty()) {
      QVERIFY(!OwnedComponent(window.get(), lateField));
      QVERIFY(SaveWrittenAnswers(window->Pagxaro()));
    }

    window->show();
    QTRY_VERIFY(window->PagesComplete());
    QCOMPARE(PageMakeup(window.get()), whole);
    if (!lateField.isEmpty()) QCOMPARE(AnswerOf(OwnedComponent(window.get(), lateField)), QStringLiteral("Ĝi restas."));
    QVERIFY(!window->SubaParto()->Savu()->isEnabled());

    // Asked before the rest is built, the recordings are those of every page.
    const auto paths = [](const QList<LessonRecording>& recordings) {
      QStringList list;
      for (const LessonRecording& recording : recordings) list.append(recording.relativePath + recording.text);
      return list;
    };
    auto unfinished = OpenFirstPageFirst();
    auto built = OpenLesson<TLessonWindow>(entry_->lessonValue);
    QCOMPARE(paths(unfinished->Recordings()), paths(built->Recordings()));
    QVERIFY(unfinished->PagesComplete());
  }

  // Turning the page or closing the window before the other pages are
  // built: the page turns with everything on it, and a closed window builds
  // nothing more.
  void turnsOrClosesBeforeTheRestIsBuilt() {
    WindowFiles files(*entry_);
    {
      auto window = OpenFirstPageFirst();
      window->show();
      QVERIFY(!window->PagesComplete());
      QTest::keyClick(window.get(), Qt::Key_PageDown);
      QVERIFY(window->PagesComplete());
      QCOMPARE(window->Pagxaro()->currentIndex(), 1);
      QVERIFY(!window->Pagxaro()->widget(1)->children().isEmpty());
    }
    auto window = OpenFirstPageFirst();
    window->show();
    window->close();
    QTest::qWait(300);
    QVERIFY(window->Closing());
    QVERIFY(!window->PagesComplete());
  }

  // Tab goes through a page's answer fields as they are read: down the
  // page, and from left to right along a row.
  void tabFollowsTheReadingOrder() {
    WindowFiles files(*entry_);
    auto window = Open();
    QApplication::setActiveWindow(window.get());
    QTabWidget* pages = window->Pagxaro();
    for (int i = 0; i < pages->count(); ++i) {
      pages->setCurrentIndex(i);
      QApplication::processEvents();
      const QList<QWidget*> fields = AnswerFields(window.get(), pages->widget(i));
      if (fields.size() < 2) continue;
      QWidget* first = fields.first();
      for (QWidget* field : fields) {
        const QPoint at = field->mapTo(window.get(), QPoint());
        const QPoint best = first->mapTo(window.get(), QPoint());
        if (at.y() < best.y() || (at.y() == best.y() && at.x() < best.x())) first = field;
      }
      first->setFocus();
      QList<QWidget*> walked{first};
      for (int step = 0; step < 4 * fields.size() && walked.size() < fields.size(); ++step) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QWidget* now = QApplication::focusWidget();
        if (fields.contains(now) && !walked.contains(now)) walked.append(now);
      }
      QCOMPARE(walked.size(), fields.size());
      for (qsizetype k = 1; k < walked.size(); ++k) {
        const QRect a(walked[k - 1]->mapTo(window.get(), QPoint()), walked[k - 1]->size());
        const QRect b(walked[k]->mapTo(window.get(), QPoint()), walked[k]->size());
        const bool sameRow = qAbs(b.top() - a.top()) * 2 < qMin(a.height(), b.height());
        QVERIFY2(
            sameRow ? b.left() > a.left() : b.top() > a.top(),
            qPrintable(QStringLiteral("%1: %2 after %3")
                           .arg(pages->widget(i)->objectName(), walked[k]->objectName(), walked[k - 1]->objectName())));
      }
    }
  }
};

QTEST_MAIN(TestLessonWindows)
#include "tst_lessonwindows.moc"
