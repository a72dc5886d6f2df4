#include "seams/DialoghiCopione.h"

namespace {
template <class T>
std::optional<T> Preleva(std::deque<T>& coda) {
  if (coda.empty()) return std::nullopt;
  T primo = std::move(coda.front());
  coda.pop_front();
  return primo;
}
}  // namespace

std::vector<BoxMostrato> DialoghiCopione::PrendiBox() {
  return std::exchange(m_box, {});
}

Risposta DialoghiCopione::MsgBox(const QString& testo, Pulsanti pulsanti, Icona icona,
                                 const QString& titolo) {
  if (pulsanti == Pulsanti::OK) {
    m_box.push_back({QStringLiteral("message"), testo, icona, titolo});
    return Risposta::OK;
  }
  m_box.push_back({QStringLiteral("question"), testo, icona, titolo});
  const auto risposta = Preleva(m_pulsanti);
  if (risposta) return *risposta;
  return pulsanti == Pulsanti::SiNo ? Risposta::No : Risposta::Annulla;
}

QString DialoghiCopione::InputBox(const QString& prompt, const QString& titolo, const QString&) {
  m_box.push_back({QStringLiteral("input"), prompt, Icona::Nessuna, titolo});
  return Preleva(m_testi).value_or(QString());
}

QString DialoghiCopione::PasswordBox(const QString& prompt, const QString& titolo) {
  m_box.push_back({QStringLiteral("input"), prompt, Icona::Nessuna, titolo, true});
  return Preleva(m_testi).value_or(QString());
}

std::optional<QString> DialoghiCopione::ApriFile(const RichiestaFile& richiesta) {
  m_richiesteFile.push_back(richiesta);
  return Preleva(m_file).value_or(std::nullopt);
}

std::optional<Carattere> DialoghiCopione::ScegliFont(const Carattere& iniziale) {
  m_richiesteFont.push_back(iniziale);
  return Preleva(m_font).value_or(std::nullopt);
}

std::optional<uint32_t> DialoghiCopione::ScegliColore() {
  return Preleva(m_colori).value_or(std::nullopt);
}

SceltaConflitto DialoghiCopione::ChiediConflitto(const DomandaConflitto& domanda,
                                                 const QString& titolo) {
  m_box.push_back({QStringLiteral("question"), domanda.testo, Icona::Domanda, titolo});
  DomandaConflitto registrata = domanda;
  registrata.mia.comb = registrata.ricevuta.comb = nullptr;
  m_conflitti.push_back(std::move(registrata));
  return Preleva(m_scelte).value_or(SceltaConflitto::TieniMia);
}

QString NomeIcona(Icona icona) {
  switch (icona) {
    case Icona::Esclamazione:
      return QStringLiteral("exclamation");
    case Icona::Informazione:
      return QStringLiteral("information");
    case Icona::Critica:
      return QStringLiteral("critical");
    case Icona::Domanda:
      return QStringLiteral("question");
    case Icona::Nessuna:
      break;
  }
  return QStringLiteral("none");
}
