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

namespace {

struct MessageText {
  const char* key;
  QString MessageTable::*text;
  const char* portuguese;  // UTF-8
};

// One line per message: its key, its place in the table and its built-in text.
const MessageText kMessages[] = {
    {"smGratulon", &MessageTable::smGratulon, "Parabéns, o seu resultado foi muito bom!"},
    {"smDenove", &MessageTable::smDenove, "O seu resultado não foi bom. Tente novamente!"},
    {"smModifis", &MessageTable::smModifis, "Foram feitas mudanças na configuração. Deseja salvá-las?"},
    {"smTondujo", &MessageTable::smTondujo,
     "Em seguida será enviado o exercício para o Monitor. No corpo da mensagem, tecle Ctrl+V para colar o texto."},
    {"smDevasHaviKor", &MessageTable::smDevasHaviKor,
     "Você ainda não indicou um Monitor para corrigir os exercícios. Para fazê-lo, use a opção Configuração do "
     "Menu Principal"},
    {"smKoverto", &MessageTable::smKoverto, "Envia o exercício para o professor"},
    {"smDisketo", &MessageTable::smDisketo, "Salva os exercícios"},
    {"smPordo", &MessageTable::smPordo, "Retorna ao Menu Principal"},
    {"smLigilo", &MessageTable::smLigilo, "O Curso na Internet"},
    {"smNeSono", &MessageTable::smNeSono,
     "Com o objetivo de facilitar o download pela Internet, esta lição não vem acompanhada de pronúncia. Visite o "
     "site do Pelano para saber se já existem arquivos de som disponíveis."},
    {"smNeSalvis", &MessageTable::smNeSalvis,
     "Não foi possível salvar no arquivo %1. Nada foi gravado. Verifique se há espaço no disco e se você pode "
     "gravar nesse arquivo, e tente novamente."},
    {"smNeSalvisRespondojn", &MessageTable::smNeSalvisRespondojn,
     "Não foi possível salvar as suas respostas no arquivo %1. Se sair agora, as respostas escritas desde a última "
     "vez que foram salvas serão perdidas. Deseja sair mesmo assim?"},
    {"smJamMalfermita", &MessageTable::smJamMalfermita,
     "O Curso de Esperanto já está aberto em outra janela. Continue naquela janela: dois cursos abertos ao mesmo "
     "tempo apagariam o que o outro salvou."},
    {"smNeRegistris", &MessageTable::smNeRegistris,
     "Nada foi gravado: não há microfone disponível, ou a gravação falhou. Conecte um microfone, ou permita que o "
     "curso use o microfone nas configurações de som do sistema, e comece o exercício novamente."},
    {"smNeDokumento", &MessageTable::smNeDokumento,
     "Não foi possível abrir o documento. Abra-o com um editor de textos; ele se encontra em %1"},
    {"smNeRetejo", &MessageTable::smNeRetejo,
     "Não foi possível abrir o navegador. O endereço %1 foi copiado para a área de transferência: cole-o no seu "
     "navegador com Ctrl+V."},
    {"smNeRetposxto", &MessageTable::smNeRetposxto,
     "Não foi possível abrir o programa de e-mail. O endereço do Monitor (%1), o assunto e a mensagem foram copiados "
     "para a área de transferência: cole-os com Ctrl+V numa nova mensagem do seu programa de e-mail."},
    {"smNeEkzerco", &MessageTable::smNeEkzerco,
     "Os dados deste exercício estão faltando ou não puderam ser lidos (%1). Instale o curso novamente."},
    {"smRestarigi", &MessageTable::smRestarigi,
     "Deseja apagar o seu progresso em todos os exercícios? Os últimos e os melhores resultados, e a indicação de "
     "que o exame final foi enviado, serão esquecidos. Isso não pode ser desfeito. As respostas escritas não serão "
     "apagadas."},
    {"smRezultoj", &MessageTable::smRezultoj,
     "Resultados dos exercícios desta lição (último e melhor resultado; ✓ = aprovado, com 70% ou mais):"},
    {"smAprobitaj", &MessageTable::smAprobitaj, "Exercícios aprovados nesta lição: %1"},
    {"smEkzamenoSendita", &MessageTable::smEkzamenoSendita, "O exame final foi enviado ao Monitor."},
};

}  // namespace

QByteArrayList MessageKeys() {
  QByteArrayList keys;
  for (const MessageText& message : kMessages) keys.append(message.key);
  return keys;
}

QString BuiltInMessage(const QByteArray& key) {
  for (const MessageText& message : kMessages) {
    if (key == message.key) return QString::fromUtf8(message.portuguese);
  }
  return QString();
}

QString MessageNaming(const QString& message, const QString& name) {
  if (message.contains(QLatin1String("%1"))) return message.arg(name);
  return message + QLatin1Char('\n') + name;
}

void SetBuiltInMessages() {
  MessageTable& m = Messages();
  for (const MessageText& message : kMessages) m.*message.text = QString::fromUtf8(message.portuguese);

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
  MessageTable& m = Messages();
  for (const MessageText& message : kMessages) m.*message.text = ReadCaption("Mesagxoj", message.key);

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
