#include "messages.h"

#include "settings.h"
#include "storedtext.h"
#include "translationfile.h"

MessageTable& Messages() {
  static MessageTable table;
  return table;
}

MenuCaptions& MenuTexts() {
  static MenuCaptions captions;
  return captions;
}

void SetBuiltInMessages() {
  MessageTable& m = Messages();
  m.smGratulon = QStringLiteral("Parabéns, o seu resultado foi muito bom!");
  m.smDenove = QStringLiteral("O seu resultado não foi bom. Tente novamente!");
  m.smModifis = QStringLiteral("Foram feitas mudanças na configuração. Deseja salvá-las?");
  m.smTondujo = QStringLiteral(
      "Em seguida será enviado o exercício para o Monitor. No corpo da mensagem, tecle Ctrl+V para colar o texto.");
  m.smDevasHaviKor = QStringLiteral(
      "Você ainda não indicou um Monitor para corrigir os exercícios. Para fazê-lo, use a opção Configuração do "
      "Menu Principal");
  m.smKoverto = QStringLiteral("Envia o exercício para o professor");
  m.smDisketo = QStringLiteral("Salva os exercícios");
  m.smPordo = QStringLiteral("Retorna ao Menu Principal");
  m.smLigilo = QStringLiteral("O Curso na Internet");
  m.smNeSono = QStringLiteral(
      "Com o objetivo de facilitar o download pela Internet, esta lição não vem acompanhada de pronúncia. Visite o "
      "site do Pelano para saber se já existem arquivos de som disponíveis.");

  MenuCaptions& c = MenuTexts();
  c.KioEstas = QStringLiteral("O que é o Esperanto?");
  c.KielUzi = QStringLiteral("Como usar o Curso");
  c.Konfigurado = QStringLiteral("Configurações");
  c.Kreditoj = QStringLiteral("Créditos");
  c.Eliri = QStringLiteral("Sair");
  c.KieButono = QStringLiteral("Onde eu parei?");
  CurrentSettings().Tradukinto.clear();
}

void ReadMessagesFromTranslation() {
  const QByteArray messages = QByteArrayLiteral("Mesagxoj");
  MessageTable& m = Messages();
  m.smGratulon = ReadCaption(messages, "smGratulon");
  m.smDenove = ReadCaption(messages, "smDenove");
  m.smModifis = ReadCaption(messages, "smModifis");
  m.smTondujo = ReadCaption(messages, "smTondujo");
  m.smDevasHaviKor = ReadCaption(messages, "smDevasHaviKor");
  m.smKoverto = ReadCaption(messages, "smKoverto");
  m.smDisketo = ReadCaption(messages, "smDisketo");
  m.smPordo = ReadCaption(messages, "smPordo");
  m.smLigilo = ReadCaption(messages, "smLigilo");
  m.smNeSono = ReadCaption(messages, "smNeSono");

  const QByteArray menu = QByteArrayLiteral("Menuo");
  MenuCaptions& c = MenuTexts();
  c.KioEstas = ReadCaption(menu, "KioEstas");
  c.KielUzi = ReadCaption(menu, "KielUzi");
  c.Konfigurado = ReadCaption(menu, "Konfigurado");
  c.Kreditoj = ReadCaption(menu, "Kreditoj");
  c.Eliri = ReadCaption(menu, "Eliri");
  c.KieButono = ReadCaption(menu, "KieButono");

  const TSharedIniFile* file = TranslationFile();
  CurrentSettings().Tradukinto =
      file ? DecodeTranslation(file->ReadString("Traduko", "Tradukinto", QByteArray())) : QString();
}
