// The high-score table: the file Record in the program folder, the arrays
// RecordNomi/RecordPunti/RecordLivelli (entries 1..10) and their labels.
#include "combinations/GestioneDatiEsterni.h"
#include "codec/RecordFile.h"
#include "codec/Testo.h"
#include "model/Gioco.h"

namespace GestioneDatiEsterni {

namespace {

const QString ErroreRecord = QStringLiteral("Errore nel salvataggio record, record non salvato");

// The file is found whatever the letter case of its name (it may come from a
// system that ignores case); a new one is called "Record".
std::filesystem::path FileRecord(const Gioco& g) {
  std::error_code ec;
  for (const auto& voce : std::filesystem::directory_iterator(g.CartellaProgramma, ec)) {
    if (QString::fromStdString(voce.path().filename().string())
            .compare(QLatin1String("Record"), Qt::CaseInsensitive) == 0)
      return voce.path();
  }
  return g.File("Record");
}

// Field k of the file (name, points, level of entry 1, then of entry 2, ...).
void AssegnaCampo(Gioco& g, const TabellaRecord& tabella, int k) {
  const auto voce = static_cast<size_t>(k / 3);
  const size_t i = voce + 1;
  switch (k % 3) {
    case 0:
      g.RecordNomi[i] = QString::fromStdString(tabella[voce].Nome);
      break;
    case 1:
      g.RecordPunti[i] = tabella[voce].Punti;
      break;
    case 2:
      g.RecordLivelli[i] = tabella[voce].Livello;
      break;
  }
}

void MostraErrore(Gioco& g) {
  g.dialoghi.MsgBox(ErroreRecord, Pulsanti::OK, Icona::Informazione, Firma());
}

TabellaRecord TabellaDi(const Gioco& g) {
  TabellaRecord tabella;
  for (size_t i = 1; i <= 10; ++i)
    tabella[i - 1] = {g.RecordNomi[i].toStdString(), g.RecordPunti[i], g.RecordLivelli[i]};
  return tabella;
}

// A name is kept as the file will give it back: no double quotes (the file cannot
// hold them inside a name) and only characters Windows-1252 has.
QString NomeSalvabile(const QString& nome) {
  QString pulito = nome;
  pulito.replace(QLatin1Char('"'), QLatin1Char('\''));
  pulito.replace(QLatin1Char('\r'), QLatin1Char(' '));
  pulito.replace(QLatin1Char('\n'), QLatin1Char(' '));
  return QString::fromStdString(DaWindows1252(AWindows1252(pulito.toStdString())));
}

}  // namespace

std::optional<QString> NomeRecordNonSalvabile(const QString& nome) {
  // The file has no way to keep a double quote or a line break inside a name.
  const auto carattere = PrimoNonSalvabile(nome, U"\"\r\n");
  if (!carattere) return std::nullopt;
  return MotivoNonSalvabile(QStringLiteral("Il nome"), *carattere,
                            QStringLiteral("nella tabella dei record"));
}

void CaricaRecord(Gioco& g) {
  const std::filesystem::path file = FileRecord(g);
  std::error_code ec;
  if (!std::filesystem::exists(file, ec)) {
    if (!ScriviFileRecord(file, TabellaRecordIniziale(), g.chiamateFile)) return MostraErrore(g);
  }
  const LetturaRecord lettura = LeggiFileRecord(file);
  for (int k = 0; k < lettura.campiLetti; ++k) AssegnaCampo(g, lettura.tabella, k);
  if (!lettura.esito) return MostraErrore(g);

  for (size_t i = 1; i <= 10; ++i) {
    g.lbl_namer[i].Caption = g.RecordNomi[i];
    g.lbl_puntir[i].Caption = QString::number(g.RecordPunti[i]);
    g.lbl_livellor[i].Caption = QString::number(g.RecordLivelli[i]);
  }
  g.lbl_nomer.Caption = g.RecordNomi[1];
  g.lbl_record.Caption = QString::number(g.RecordPunti[1]);
}

void InserisciRecord(Gioco& g) {
  // A score equal to an entry's points ranks below it.
  size_t p = 1;
  while (p <= 10 && !(g.Punteggio > g.RecordPunti[p])) ++p;
  if (p > 10) return;

  for (size_t k = 10; k > p; --k) {
    g.RecordNomi[k] = g.RecordNomi[k - 1];
    g.RecordPunti[k] = g.RecordPunti[k - 1];
    g.RecordLivelli[k] = g.RecordLivelli[k - 1];
  }
  const QString prompt =
      QStringLiteral("Complimenti sei in %1a posizione. Inserisci il tuo nome").arg(p);
  // The box takes only a name the file gives back as it was typed; a scripted answer
  // is stored as the file can keep it.
  g.RecordNomi[p] = NomeSalvabile(
      g.dialoghi.InputBoxConRegola(prompt, Firma(), QString(), NomeRecordNonSalvabile));
  g.RecordPunti[p] = g.Punteggio;
  g.RecordLivelli[p] = g.Livello;

  // Written whole to a new file that replaces the old one: the table is never lost.
  if (!ScriviFileRecord(FileRecord(g), TabellaDi(g), g.chiamateFile)) return MostraErrore(g);
  CaricaRecord(g);
}

}  // namespace GestioneDatiEsterni
