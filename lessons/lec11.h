#pragma once

#include "lessonwindow.h"

#include <QUrl>

class MemoPlayer;
class QLabel;

// Lesson 12: transitive and intransitive verbs, word building, a song and a
// press article. The song's player keeps playing while the learner moves
// between the song page and its lyrics; the article's player plays only on
// the article's page. Three links on the song page open web pages.
class TForm11 : public TLessonWindow {
  Q_OBJECT
 public:
  TForm11(const LessonEntry& entry, QWidget* owner);

  // The shop's page of the band's records, opened by its link.
  static QUrl ShopAddress();

  void XButton1Click(const QLabel* link);  // opens the address the link shows
  void XButton3Click();                    // opens the shop's page

  MemoPlayer* SongPlayer() const { return songPlayer_; }
  MemoPlayer* ArticlePlayer() const { return articlePlayer_; }

  // The article's recording, saying the article's text.
  QList<LessonRecording> Recordings() const override;

 protected:
  void LessonSetUp() override;
  void LessonPageChanged() override;
  void StopPlayback() override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QString ArticleText() const;

  QList<QLabel*> links_;
  MemoPlayer* songPlayer_ = nullptr;
  MemoPlayer* articlePlayer_ = nullptr;
};
