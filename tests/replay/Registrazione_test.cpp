#include <QJsonDocument>
#include <QJsonObject>

#include <gtest/gtest.h>

#include <random>
#include <sstream>

#include "game/Partita.h"
#include "replay/Registratore.h"
#include "replay/Verifica.h"
#include "seams/DialoghiCopione.h"
#include "seams/FinestreCopione.h"
#include "seams/FontsCopione.h"
#include "support/CartellaTemporanea.h"
#include "support/OrologioDisordinato.h"
#include "ui/Copione.h"

namespace {

// A game with a score that enters the table, the space bar that starts another, and
// that one played to its end: the runner records the last.
constexpr char Copione[] = R"(answer Collaudo
keypress 32
keydown 37
wait 700
keyup 37
keypress 32
wait 900
keydown 39
keypress 32
wait 1300
keyup 39
keydown 27
keypress 32
wait 30000
answer Secondo
keypress 32
keypress 32
wait 300000
dump
)";

struct Esecuzione {
  int codice = 0;
  std::string uscita, errori;
  QJsonObject Ultima() const {
    const std::string riga = uscita.substr(uscita.rfind('\n', uscita.size() - 2) + 1);
    return QJsonDocument::fromJson(QByteArray::fromStdString(riga)).object();
  }
};

Esecuzione Esegui(const std::filesystem::path& cartella, const std::string& copione,
                  const OpzioniCopione& opzioni) {
  std::istringstream in(copione);
  std::ostringstream out, err;
  const int codice = EseguiCopione(cartella, in, out, err, opzioni);
  return {codice, out.str(), err.str()};
}

// The sides of the runner with a disorderly clock.
struct LatiDisordinati {
  explicit LatiDisordinati(uint32_t seme) : orologio(seme) {}
  template <class G>
  void Collega(G&) {}
  OrologioDisordinato orologio;
  DialoghiCopione dialoghi;
  FinestreCopione finestre;
  std::unique_ptr<Audio> audio = CreaAudioMuto();
  std::unique_ptr<Fonts> fonts = std::make_unique<FontsCopione>();
  ChiamateFile& chiamateFile = ChiamateFile::Sistema();
};

}  // namespace

TEST(Registrazione, TheRunnersGameVerifiesAndPlaysBackToTheRunnersOwnFinalSnapshot) {
  CartellaTemporanea gioco, rivista;
  const auto file = gioco / "partita.skrep";
  const Esecuzione registrata = Esegui(gioco.percorso(), Copione, {file, {}});
  ASSERT_EQ(registrata.codice, 0) << registrata.errori;
  const QJsonObject fine = registrata.Ultima();

  const EsitoVerifica verifica = VerificaFileReplica(file);
  EXPECT_TRUE(verifica.Conforme()) << RigaVerifica(file, verifica);
  EXPECT_EQ(verifica.punteggio,
            fine[QLatin1String("vars")][QLatin1String("Punteggio")].toInteger());
  EXPECT_EQ(verifica.dichiarata.nome, "Secondo");

  const Esecuzione rivedi = Esegui(rivista.percorso(), "dump\n", {{}, file});
  ASSERT_EQ(rivedi.codice, 0) << rivedi.errori;
  for (const char* chiave : {"vars", "sprites", "labels", "timers", "menu", "caption"})
    EXPECT_EQ(rivedi.Ultima()[QLatin1String(chiave)], fine[QLatin1String(chiave)]) << chiave;
}

TEST(Registrazione, SetIsRefusedOnlyWhileARecordedGameIsUnderWay) {
  CartellaTemporanea cartella;
  const auto file = cartella / "p.skrep";
  const Esecuzione prima =
      Esegui(cartella.percorso(), "set VersoDestra true\nkeypress 32\nwait 100\n", {file, {}});
  EXPECT_EQ(prima.codice, 0) << prima.errori;
  const Esecuzione durante =
      Esegui(cartella.percorso(), "keypress 32\nwait 100\nset Vite 9\n", {file, {}});
  EXPECT_EQ(durante.codice, 1);
  EXPECT_EQ(durante.errori.rfind("line 3: set cannot change a game being recorded", 0), 0u)
      << durante.errori;
  const Esecuzione nessuna = Esegui(cartella.percorso(), "wait 100\n", {cartella / "n.skrep", {}});
  EXPECT_EQ(nessuna.codice, 1);
  EXPECT_FALSE(std::filesystem::exists(cartella / "n.skrep"));
}

TEST(Registrazione, AGameOnADisorderlyClockVerifiesExactly) {
  for (const uint32_t seme : {1u, 2u, 3u}) {
    CartellaTemporanea cartella;
    Partita<LatiDisordinati> p(cartella.percorso(), seme);
    p.frm.Form_Load();
    Registratore registratore(p.g, p.smista, [&] { return p.orologio.Ora(); });
    for (int i = 0; i < 4; ++i) p.dialoghi.AccodaTesto(QStringLiteral("Bot"));
    std::mt19937 caso(seme);
    const Evento mosse[] = {Evento::Giu(37), Evento::Su(37),        Evento::Giu(39),
                            Evento::Su(39),  Evento::Carattere(32), Evento::Carattere(32),
                            Evento::Giu(27), Evento::Disattiva()};
    p.smista.Invia(Evento::Carattere(32));
    while (!p.g.img_gameover.Visible && p.orologio.Ora() < 20 * 60 * 1000) {
      p.orologio.Avanza(std::uniform_int_distribution<int>(20, 400)(caso));
      const Evento mossa =
          mosse[std::uniform_int_distribution<size_t>(0, std::size(mosse) - 1)(caso)];
      p.smista.Invia(mossa);
      if (p.g.Pausa) p.smista.Invia(Evento::Carattere(32));
    }
    ASSERT_TRUE(p.g.img_gameover.Visible) << seme;
    EXPECT_GT(p.orologio.FuoriOrdine(), 100) << seme;
    auto finita = registratore.PrendiFinita();
    ASSERT_TRUE(finita) << seme;
    const EsitoVerifica esito = VerificaReplica(finita->replica);
    EXPECT_TRUE(esito.Conforme()) << seme << ": " << RigaVerifica("bot", esito);
    EXPECT_EQ(esito.punteggio, p.g.Punteggio) << seme;
  }
}
