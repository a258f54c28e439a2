#include "hattypingfilter.h"
#include "letters.h"
#include "settings.h"
#include "storedtext.h"

#include <QApplication>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QtTest>

class TestLetters : public QObject {
  Q_OBJECT

 private:
  HatTypingFilter filter_;

  // Types into a fresh, focused control, as a learner would.
  template <typename Control>
  QString TypeInto(const QString& keys) {
    Control control;
    control.show();
    control.activateWindow();
    control.setFocus();
    QApplication::setActiveWindow(&control);
    QTest::keyClicks(&control, keys);
    if constexpr (std::is_same_v<Control, QLineEdit>)
      return control.text();
    else
      return control.toPlainText();
  }

 private Q_SLOTS:
  void initTestCase() { qApp->installEventFilter(&filter_); }
  void init() {
    CurrentSettings().Capeligo = true;
    ResetLastTypedKey();
  }

  void toLetterSystem_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("system");
    QTest::addColumn<QString>("expected");
    QTest::newRow("h-system drops the breve") << QStringLiteral("ŝi ŭ") << 2 << QStringLiteral("shi u");
    QTest::newRow("x-system") << QStringLiteral("ŝi ŭ") << 1 << QStringLiteral("sxi ux");
    QTest::newRow("letters kept") << QStringLiteral("ŝi ŭ") << 0 << QStringLiteral("ŝi ŭ");
    QTest::newRow("all twelve, x") << QStringLiteral("ĈĉĜĝĤĥĴĵŜŝŬŭ") << 1 << QStringLiteral("CxcxGxgxHxhxJxjxSxsxUxux");
    QTest::newRow("all twelve, h") << QStringLiteral("ĈĉĜĝĤĥĴĵŜŝŬŭ") << 2 << QStringLiteral("ChchGhghHhhhJhjhShshUu");
    QTest::newRow("other values mean h") << QStringLiteral("ĉu") << 7 << QStringLiteral("chu");
    QTest::newRow("Portuguese untouched") << QStringLiteral("ação é") << 1 << QStringLiteral("ação é");
    QTest::newRow("combining accent is not a letter") << QStringLiteral("c\u0302") << 1 << QStringLiteral("c\u0302");
  }
  void toLetterSystem() {
    QFETCH(QString, text);
    QFETCH(int, system);
    QFETCH(QString, expected);
    QCOMPARE(ToLetterSystem(text, system), expected);
  }

  void foldEsperantoCase() {
    QCOMPARE(FoldEsperantoCase(QStringLiteral("ĈIO Ŭ"), true), QStringLiteral("ĉio ŭ"));
    QCOMPARE(FoldEsperantoCase(QStringLiteral("AÇÃO"), true), QStringLiteral("aÇÃo"));
    QCOMPARE(FoldEsperantoCase(QStringLiteral("ĉiuj ŝtonoj"), false), QStringLiteral("ĈIUJ ŜTONOJ"));
    QCOMPARE(FoldEsperantoCase(QStringLiteral("ĈĉĜĝĤĥĴĵŜŝŬŭ"), true), QStringLiteral("ĉĉĝĝĥĥĵĵŝŝŭŭ"));
    QCOMPARE(FoldEsperantoCase(QStringLiteral("ĈĉĜĝĤĥĴĵŜŝŬŭ"), false), QStringLiteral("ĈĈĜĜĤĤĴĴŜŜŬŬ"));
  }

  void hatTypingInLineEdit_data() {
    QTest::addColumn<QString>("keys");
    QTest::addColumn<QString>("expected");
    QTest::newRow("c x") << "cx" << QStringLiteral("ĉ");
    QTest::newRow("C X") << "CX" << QStringLiteral("Ĉ");
    QTest::newRow("case follows the letter, c X") << "cX" << QStringLiteral("ĉ");
    QTest::newRow("case follows the letter, C x") << "Cx" << QStringLiteral("Ĉ");
    QTest::newRow("x x") << "xx" << QStringLiteral("xx");
    QTest::newRow("a x") << "ax" << QStringLiteral("ax");
    QTest::newRow("c x x") << "cxx" << QStringLiteral("ĉx");
    QTest::newRow("a word") << "sxipo gxis auxto" << QStringLiteral("ŝipo ĝis aŭto");
    QTest::newRow("all six") << "cxgxhxjxsxux" << QStringLiteral("ĉĝĥĵŝŭ");
    // Keys that type no letter end the pair as well.
    QTest::newRow("s c Backspace x") << "sc\bx" << QStringLiteral("sx");
    QTest::newRow("c Enter x") << "c\rx" << QStringLiteral("cx");
  }
  void hatTypingInLineEdit() {
    QFETCH(QString, keys);
    QFETCH(QString, expected);
    QCOMPARE(TypeInto<QLineEdit>(keys), expected);
  }

  void hatTypingOff() {
    CurrentSettings().Capeligo = false;
    QCOMPARE(TypeInto<QLineEdit>("cx"), QStringLiteral("cx"));
    QCOMPARE(LastTypedKey(), QChar());
  }

  void hatTypingInMultiLineBox() { QCOMPARE(TypeInto<QPlainTextEdit>("Mi mangxas."), QStringLiteral("Mi manĝas.")); }

  void caretMovedBeforeTheX() {
    QLineEdit edit;
    edit.show();
    QApplication::setActiveWindow(&edit);
    edit.setFocus();
    QTest::keyClicks(&edit, "abc");
    edit.setCursorPosition(1);  // the learner clicks after the "a"
    QTest::keyClick(&edit, Qt::Key_X, Qt::NoModifier);
    // The c was the last key, so the x turns the character before the caret into ĉ.
    QCOMPARE(edit.text(), QStringLiteral("ĉbc"));
    QCOMPARE(edit.cursorPosition(), 1);
  }

  void selectionInMultiLineBoxIsReplaced() {
    QPlainTextEdit box;
    box.show();
    QApplication::setActiveWindow(&box);
    box.setFocus();
    QTest::keyClicks(&box, "gaga");
    QTextCursor cursor = box.textCursor();
    cursor.setPosition(1);
    cursor.setPosition(3, QTextCursor::KeepAnchor);
    box.setTextCursor(cursor);
    ResetLastTypedKey();
    QChar key = u's';
    ApplyHatKey(key, &box);
    key = u'x';
    ApplyHatKey(key, &box);
    QVERIFY(key.isNull());
    QCOMPARE(box.toPlainText(), QStringLiteral("gŝa"));
  }

  void otherControlsReceiveNothingButTheXIsSwallowed() {
    QChar key = u'c';
    QPushButton button;
    ApplyHatKey(key, &button);
    key = u'x';
    ApplyHatKey(key, &button);
    QVERIFY(key.isNull());

    QLineEdit masked;
    masked.setInputMask(QStringLiteral("9999"));
    key = u's';
    ApplyHatKey(key, &masked);
    key = u'x';
    ApplyHatKey(key, &masked);
    QVERIFY(key.isNull());
    QCOMPARE(masked.text(), QString());

    key = u'g';
    ApplyHatKey(key, nullptr);
    key = u'x';
    ApplyHatKey(key, nullptr);
    QVERIFY(key.isNull());
  }

  void rememberedKeyCrossesWindows() {
    QLineEdit first;
    first.show();
    QApplication::setActiveWindow(&first);
    first.setFocus();
    QTest::keyClicks(&first, "c");
    QLineEdit second;
    second.show();
    QApplication::setActiveWindow(&second);
    second.setFocus();
    // The first x in a new window combines with the last letter of the previous one.
    QTest::keyClicks(&second, "x");
    QCOMPARE(second.text(), QStringLiteral("ĉ"));
    QCOMPARE(second.cursorPosition(), 0);
  }

  void controlKeysAreNotTyping() {
    QLineEdit edit;
    edit.show();
    QApplication::setActiveWindow(&edit);
    edit.setFocus();
    QTest::keyClicks(&edit, "c");
    edit.selectAll();
    QTest::keyClick(&edit, Qt::Key_X, Qt::ControlModifier);  // cut, not a hat
    QCOMPARE(edit.text(), QString());
  }

  void storedText_data() {
    QTest::addColumn<QByteArray>("stored");
    QTest::addColumn<QString>("text");
    QTest::newRow("two lines") << QByteArray("Linha1'#10'Linha2") << QStringLiteral("Linha1\nLinha2");
    QTest::newRow("letters") << QByteArray("\xc4\x89u vi parolas?") << QStringLiteral("ĉu vi parolas?");
    QTest::newRow("8-bit code page") << QByteArray("a\xe7\xe3o") << QString();
    QTest::newRow("accent then plain letter") << QByteArray("\xe9t\xe9") << QString();
    QTest::newRow("lone continuation byte") << QByteArray("ab\x80") << QString();
    QTest::newRow("cut sequence at the end") << QByteArray("ab\xc4") << QString();
    QTest::newRow("empty") << QByteArray() << QString();
    QTest::newRow("marker only") << QByteArray("'#10''#10'") << QStringLiteral("\n\n");
  }
  void storedText() {
    QFETCH(QByteArray, stored);
    QFETCH(QString, text);
    QCOMPARE(DecodeTranslation(stored), text);
  }

  void encodeTranslation() {
    QCOMPARE(EncodeTranslation(QStringLiteral("a\r\nb")), QByteArray("a'#10'b"));
    QCOMPARE(EncodeTranslation(QStringLiteral("ĝis\nrevido\r")), QByteArray("\xc4\x9dis'#10'revido"));
    const QString text = QStringLiteral("Saluton!\nĈu vi fartas bone?\n\nJes.");
    QCOMPARE(DecodeTranslation(EncodeTranslation(text)), text);
    QCOMPARE(StripCarriageReturns(QStringLiteral("\ra\r\rb\r")), QStringLiteral("ab"));
  }

  void settingsTextFallsBackToWindows1252() {
    QCOMPARE(DecodeSettingsText(QByteArray("Jos\xc3\xa9 \xc4\x88")), QStringLiteral("José Ĉ"));
    QCOMPARE(DecodeSettingsText(QByteArray("Jos\xe9 \x80")), QStringLiteral("José €"));
  }

  void memoText() {
    QPlainTextEdit box;
    box.setLineWrapMode(QPlainTextEdit::WidgetWidth);
    box.resize(60, 200);
    const QString text = QStringLiteral("Unu longa linio kiu certe faldiĝos en mallarĝa skatolo\nDua linio");
    WriteMemoText(&box, text);
    QCOMPARE(box.textCursor().position(), 0);
    QVERIFY(!box.textCursor().hasSelection());
    QCOMPARE(ReadMemoText(&box), text);
    WriteMemoText(&box, QStringLiteral("nova"));
    QCOMPARE(ReadMemoText(&box), QStringLiteral("nova"));

    QTextEdit rich;
    WriteMemoText(&rich, text);
    QCOMPARE(ReadMemoText(&rich), text);
  }
};

QTEST_MAIN(TestLetters)
#include "tst_letters.moc"
