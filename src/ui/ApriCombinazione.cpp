#include "ui/ApriCombinazione.h"

#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <QStringList>

#include <iostream>

#include "combinations/GestioneDatiEsterni.h"
#include "game/frm_main.h"
#include "model/Gioco.h"

namespace fs = std::filesystem;

namespace {

QString Nome(const fs::path& percorso) {
  return QFile::decodeName(percorso.filename().c_str());
}

QLocale Italiano() {
  return QLocale(QLocale::Italian, QLocale::Italy);
}

QString Modificato(const fs::path& percorso) {
  const QFileInfo info(QFile::decodeName(percorso.c_str()));
  return Italiano().toString(info.lastModified(), QLocale::ShortFormat);
}

QString Dimensione(qint64 byte) {
  return Italiano().formattedDataSize(byte);
}

// The path, and the stored name when the file was called something else.
std::string Dove(const fs::path& file, const Installata& fatta) {
  return fatta.percorso.string() +
         (file.filename() == fatta.percorso.filename() ? "" : ", the name stored in it");
}

}  // namespace

bool Accoglienza::PuoChiedere() const {
  return g.img_gameover.Visible || g.Pausa;
}

EsitoApertura Accoglienza::Apri(const fs::path& file) {
  const auto rifiuta = [&](const std::string& perche, const QString& motivo) {
    std::cerr << "skarvex: " << file.string() << ": not added: " << perche << '\n';
    m_attese.push_back(Rifiuto{Nome(file), motivo});
    return EsitoApertura{true, "not added: " + perche};
  };
  auto esame = EsaminaRicevuta(file, g.CartellaProgramma);
  if (const auto* no = std::get_if<Impedimento>(&esame)) return rifiuta(no->perche, no->motivo);
  Candidata& candidata = std::get<Candidata>(esame);
  const QString nome = QString::fromStdString(candidata.nome);
  // Between games the player is offered the new combination at once; during a game it
  // is only added to the menu.
  const bool offri = g.img_gameover.Visible;
  switch (candidata.posto) {
    case Candidata::Posto::Identica:
      if (offri)
        m_attese.push_back(
            Offerta{nome, QStringLiteral("La combinazione %1 è già nel menu Combinazioni.")});
      return {false, "already in the program folder as " + candidata.percorso.string()};
    case Candidata::Posto::Occupata: {
      const std::string percorso = candidata.percorso.string();
      m_attese.push_back(Conflitto{std::move(candidata), Modificato(file)});
      return {false, "a different " + percorso +
                         " is in the program folder: the game asks the player which to keep" +
                         (PuoChiedere() ? "" : ", once the game under way is over or paused")};
    }
    case Candidata::Posto::Libero:
      break;
  }
  auto fatto = Installa(candidata, SceltaConflitto::TieniMia);
  if (const auto* no = std::get_if<Impedimento>(&fatto)) return rifiuta(no->perche, no->motivo);
  GestioneDatiEsterni::CostruisciMenu(g);
  if (offri)
    m_attese.push_back(
        Offerta{nome, QStringLiteral("La combinazione %1 è stata aggiunta al menu Combinazioni.")});
  return {false, "added as " + Dove(file, std::get<Installata>(fatto))};
}

void Accoglienza::Riprendi() {
  // A question's own event loop may let more files in; they wait for this one.
  if (m_chiede) return;
  m_chiede = true;
  while (!m_attese.empty() && PuoChiedere()) {
    Attesa attesa = std::move(m_attese.front());
    m_attese.pop_front();
    if (auto* rifiuto = std::get_if<Rifiuto>(&attesa)) {
      g.dialoghi.MsgBox(QStringLiteral("Il file %1 non è stato aggiunto: %2.")
                            .arg(rifiuto->file, rifiuto->motivo),
                        Pulsanti::OK, Icona::Esclamazione, Firma());
    } else if (auto* conflitto = std::get_if<Conflitto>(&attesa)) {
      Chiedi(*conflitto);
    } else {
      Offri(std::get<Offerta>(attesa));
    }
  }
  m_chiede = false;
}

void Accoglienza::Chiedi(Conflitto& conflitto) {
  const Candidata& candidata = conflitto.candidata;
  const QString nome = QString::fromStdString(candidata.nome);
  auto mia = LeggiFileCombinazione(candidata.percorso);
  std::error_code ec;
  const auto byteMia = fs::file_size(candidata.percorso, ec);
  const std::optional<std::string> entrambe = NomeLibero(candidata);
  DomandaConflitto domanda;
  domanda.testo = QStringLiteral(
                      "Esiste già una combinazione %1 diversa da quella ricevuta nel file %2. "
                      "Quale tenere?")
                      .arg(nome, Nome(candidata.ricevuta.file));
  if (entrambe) domanda.nomeEntrambe = QString::fromStdString(*entrambe);
  domanda.mia = {
      mia ? QString::fromStdString(mia.valore().Autore) : QStringLiteral("(illeggibile)"),
      Modificato(candidata.percorso), ec ? QString() : Dimensione(static_cast<qint64>(byteMia)),
      mia ? &mia.valore() : nullptr};
  domanda.ricevuta = {QString::fromStdString(candidata.ricevuta.comb.Autore), conflitto.data,
                      Dimensione(static_cast<qint64>(candidata.ricevuta.byte.size())),
                      &candidata.ricevuta.comb};
  const SceltaConflitto scelta = g.dialoghi.ChiediConflitto(domanda, Firma());
  if (scelta == SceltaConflitto::TieniMia) return;

  auto fatto = Installa(candidata, scelta);
  if (const auto* no = std::get_if<Impedimento>(&fatto)) {
    std::cerr << "skarvex: " << candidata.ricevuta.file.string() << ": not added: " << no->perche
              << '\n';
    m_attese.push_front(Rifiuto{Nome(candidata.ricevuta.file), no->motivo});
    return;
  }
  GestioneDatiEsterni::CostruisciMenu(g);
  const Installata& fatta = std::get<Installata>(fatto);
  Offri({QString::fromStdString(fatta.nome),
         fatta.sostituita
             ? QStringLiteral("La combinazione %1 è stata sostituita: quella di prima è nel "
                              "cestino.")
             : QStringLiteral("La combinazione ricevuta è stata aggiunta al menu Combinazioni "
                              "come %1.")});
}

void Accoglienza::Offri(const Offerta& offerta) {
  // Only between games: a combination is never changed during one.
  if (!g.img_gameover.Visible) return;
  int indice = -1;
  for (size_t i = 1; i < g.mn_comb.size(); ++i)
    if (g.mn_comb[i].Caption == offerta.nome) indice = static_cast<int>(i);
  if (indice < 0) return;
  if (g.dialoghi.MsgBox(offerta.testo.arg(offerta.nome) + QStringLiteral(" Usarla adesso?"),
                        Pulsanti::SiNo, Icona::Domanda, Firma()) == Risposta::Si)
    m_frm.mn_comb_Click(indice);
}

QString Accoglienza::Avviso() const {
  if (m_attese.empty() || PuoChiedere()) return {};
  QStringList file;
  for (const Attesa& attesa : m_attese) {
    if (const auto* rifiuto = std::get_if<Rifiuto>(&attesa)) file << rifiuto->file;
    if (const auto* conflitto = std::get_if<Conflitto>(&attesa))
      file << Nome(conflitto->candidata.ricevuta.file);
  }
  return QStringLiteral("  —  In attesa della fine della partita o di una pausa: %1")
      .arg(file.join(QStringLiteral(", ")));
}
