#include "writtenanswers.h"

#include "drillhost.h"
#include "drillkeys.h"
#include "drillprogress.h"
#include "failurenotices.h"
#include "inifile.h"
#include "letters.h"
#include "messagebox.h"
#include "messages.h"
#include "ownedcomponents.h"
#include "settings.h"
#include "statictext.h"
#include "storedtext.h"
#include "uiloader.h"

#include <QAbstractButton>
#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QTabWidget>
#include <QTextEdit>
#include <QUrlQuery>

#include <array>

namespace {

constexpr int kSlots = 160;

// The results of the window's scored drills, after an empty line; nothing
// for a window without drills.
QString ResultsOfTheLesson(QWidget* window) {
  const DrillHost* host = qobject_cast<DrillHost*>(window);
  if (!host) return QString();
  const DrillProgress progress(SettingsFile());
  QList<DrillRow> rows;
  for (const QString& key : ScoredDrillKeys(host->Codes())) rows.append({DrillKeyName(key), progress.Result(key)});
  const QString table = DrillResultsTable(Messages().smRezultoj, rows);
  return table.isEmpty() ? QString() : QStringLiteral("\r\n") + table;
}

bool IsPlainEdit(const QWidget* widget) {
  const auto* edit = qobject_cast<const QLineEdit*>(widget);
  return edit && edit->inputMask().isEmpty();  // a masked edit is no plain edit
}

bool IsMemo(const QWidget* widget) {
  return qobject_cast<const QPlainTextEdit*>(widget) || qobject_cast<const QTextEdit*>(widget);
}

bool IsReadOnlyMemo(const QWidget* widget) {
  if (const auto* plain = qobject_cast<const QPlainTextEdit*>(widget)) return plain->isReadOnly();
  if (const auto* rich = qobject_cast<const QTextEdit*>(widget)) return rich->isReadOnly();
  return false;
}

bool IsAnswerField(const QWidget* widget) {
  return ComponentTag(widget) > 0 && (IsPlainEdit(widget) || (IsMemo(widget) && !IsReadOnlyMemo(widget)));
}

QByteArray WindowSection(QTabWidget* pagxaro) { return pagxaro->window()->objectName().toUtf8(); }

// Slot and conversion of an edit or memo: Tags from 128 on are sent as typed.
struct AnswerSlot {
  int slot;
  bool convert;
};
AnswerSlot SlotOfField(int tag) { return tag >= 128 ? AnswerSlot{tag - 127, false} : AnswerSlot{tag, true}; }

QString Converted(const QString& text, bool convert) {
  return convert ? ToLetterSystem(text, CurrentSettings().Sistemo) : text;
}

}  // namespace

bool SaveWrittenAnswers(QTabWidget* pagxaro) {
  TIniFile* settings = SettingsFile();
  if (!pagxaro || !settings) return false;
  const QByteArray section = WindowSection(pagxaro);
  QList<TIniFile::Write> writes;
  for (QWidget* component : OwnedComponents(pagxaro->window())) {
    if (!IsAnswerField(component)) continue;
    const QString text = IsMemo(component) ? ReadMemoText(component) : qobject_cast<QLineEdit*>(component)->text();
    writes.append({section, component->objectName().toUtf8(), EncodeTranslation(text)});
  }
  return settings->WriteAll(writes);
}

bool SaveBeforeLeaving(QTabWidget* pagxaro) {
  if (SaveWrittenAnswers(pagxaro)) return true;
  const QString path = SettingsFile() ? SettingsFile()->FileName() : SettingsFileName;
  const auto answer = ShowMessage(pagxaro ? pagxaro->window() : nullptr, QMessageBox::Warning,
                                  MessageNaming(Messages().smNeSalvisRespondojn, QDir::toNativeSeparators(path)),
                                  QMessageBox::Yes | QMessageBox::No, QMessageBox::No);
  return answer == QMessageBox::Yes;
}

void LoadWrittenAnswers(QTabWidget* pagxaro) {
  if (pagxaro) LoadWrittenAnswers(pagxaro, OwnedComponents(pagxaro->window()));
}

void LoadWrittenAnswers(QTabWidget* pagxaro, const QList<QWidget*>& components) {
  const TIniFile* settings = SettingsFile();
  if (!pagxaro || !settings) return;
  const QByteArray section = WindowSection(pagxaro);
  for (QWidget* component : components) {
    if (!IsAnswerField(component)) continue;
    QByteArray stored = settings->ReadBytes(section, component->objectName().toUtf8(), QByteArray());
    stored.replace("'#10'", "\n");
    // Not DecodeTranslation: that would show an answer stored in the old
    // 8-bit code page as empty, and the next save would erase it.
    const QString text = DecodeSettingsText(stored);
    if (IsMemo(component)) {
      WriteMemoText(component, text);
    } else {
      qobject_cast<QLineEdit*>(component)->setText(text);
    }
  }
}

QUrl MonitorMailUrl(const QString& address, const QString& subject) {
  QUrl url;
  url.setScheme(QStringLiteral("mailto"));
  url.setPath(address.trimmed(), QUrl::DecodedMode);
  QUrlQuery query;
  query.addQueryItem(QStringLiteral("subject"), QString(subject).replace(QLatin1Char('%'), QStringLiteral("%25")));
  url.setQuery(query);
  return url;
}

MonitorMessage BuildMonitorMessage(QTabWidget* pagxaro) {
  std::array<QString, kSlots + 1> prompts;
  std::array<QString, kSlots + 1> answers;
  QWidget* page = pagxaro->currentWidget();
  const bool wholeExam = page && page->objectName().left(8) == QLatin1String("Ekzameno");
  const QString lineEnd = QStringLiteral("\r\n");

  for (QWidget* component : OwnedComponents(pagxaro->window())) {
    if (component->parentWidget() != page && !wholeExam) continue;
    const int tag = ComponentTag(component);
    if (IsPlainEdit(component)) {
      const AnswerSlot slot = SlotOfField(tag);
      if (slot.slot < 1 || slot.slot > kSlots) continue;
      answers[slot.slot] =
          QLatin1Char('\t') + Converted(qobject_cast<QLineEdit*>(component)->text(), slot.convert) + lineEnd + lineEnd;
    } else if (auto* label = qobject_cast<QLabel*>(component); label && tag > 0 && tag <= kSlots) {
      const bool staticText = qobject_cast<StaticText*>(label) != nullptr;
      prompts[tag] = (staticText ? Converted(label->text(), true) : label->text()) + lineEnd;
    } else if (auto* spoken = qobject_cast<QAbstractButton*>(component); spoken && tag > 0 && tag <= kSlots) {
      // An Esperanto prompt that speaks when clicked is sent like the static text it would otherwise be.
      prompts[tag] = Converted(spoken->text(), true) + lineEnd;
    } else if (IsMemo(component)) {
      const AnswerSlot slot = SlotOfField(tag);
      if (slot.slot < 1 || slot.slot > kSlots) continue;
      QString& column = IsReadOnlyMemo(component) ? prompts[slot.slot] : answers[slot.slot];
      column = lineEnd + column + Converted(ReadMemoText(component), slot.convert) + lineEnd + lineEnd;
    }
  }

  MonitorMessage message;
  for (int slot = 1; slot <= kSlots; ++slot) message.body += prompts[slot] + answers[slot];
  if (CurrentSettings().SenduRezultojn) message.body += ResultsOfTheLesson(pagxaro->window());
  message.subject =
      pagxaro->window()->windowTitle() + QStringLiteral(" - Pagxo ") + QString::number(pagxaro->currentIndex() + 1);
  message.address = MonitorMailUrl(CurrentSettings().Adreso, message.subject);
  return message;
}

void SendToMonitor(QTabWidget* pagxaro) {
  if (!pagxaro) return;
  QWidget* window = pagxaro->window();
  if (!CurrentSettings().Korektanto) {
    ShowMessage(window, QMessageBox::Information, Messages().smDevasHaviKor, QMessageBox::Ok);
    return;
  }
  const MonitorMessage message = BuildMonitorMessage(pagxaro);
  if (ShowMessage(window, QMessageBox::Information, Messages().smTondujo, QMessageBox::Ok | QMessageBox::Cancel) !=
      QMessageBox::Ok) {
    return;
  }
  QApplication::clipboard()->setText(message.body);
  // Without an e-mail program the learner writes the message by hand: the
  // clipboard then holds the address and the subject too.
  const QString address = CurrentSettings().Adreso.trimmed();
  const QString everything =
      address + QStringLiteral("\r\n") + message.subject + QStringLiteral("\r\n\r\n") + message.body;
  OpenAddress(window, message.address, MessageNaming(Messages().smNeRetposxto, address), everything);
  // The whole final exam went to the Monitor: the main menu shows it.
  QWidget* page = pagxaro->currentWidget();
  if (page && page->objectName().left(8) == QLatin1String("Ekzameno") &&
      !DrillProgress(SettingsFile()).MarkExamSent()) {
    TellSettingsNotSaved(window);
  }
}
