#include "replay/Archivio.h"

#include <QCryptographicHash>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>

#include "model/Gioco.h"

namespace {

// Ten entries of a few hundred bytes: a larger link file is not ours.
constexpr size_t MaxByteLegame = 64 * 1024;

// Only files of this naming in Partite are ours to remove.
bool NomeNostro(const std::string& nome) {
  static const QRegularExpression forma(QStringLiteral("^[0-9a-f]{40}\\.skrep$"));
  return forma.match(QString::fromStdString(nome)).hasMatch();
}

bool Uguali(const VoceRecord& a, const VoceRecord& b) {
  return a.Nome == b.Nome && a.Punti == b.Punti && a.Livello == b.Livello;
}

}  // namespace

TabellaRecord TabellaDi(const Gioco& g) {
  TabellaRecord tabella;
  for (size_t i = 1; i <= 10; ++i)
    tabella[i - 1] = {g.RecordNomi[i].toStdString(), g.RecordPunti[i], g.RecordLivelli[i]};
  return tabella;
}

ArchivioPartite::ArchivioPartite(std::filesystem::path cartellaProgramma, ChiamateFile& chiamate)
    : m_cartella(std::move(cartellaProgramma)), m_chiamate(chiamate) {}

std::vector<ArchivioPartite::Legame> ArchivioPartite::LeggiLegami() const {
  std::vector<Legame> legami;
  const auto byte = LeggiFile(m_cartella / NomeLegameRecord, MaxByteLegame);
  if (!byte) return legami;
  const QJsonDocument doc = QJsonDocument::fromJson(
      QByteArray(byte.valore().data(), static_cast<qsizetype>(byte.valore().size())));
  for (const QJsonValue& v : doc.object().value(QLatin1String("voci")).toArray()) {
    const QJsonObject o = v.toObject();
    Legame l;
    l.voce = o.value(QLatin1String("voce")).toInt();
    l.file = o.value(QLatin1String("file")).toString().toStdString();
    l.dichiarata = {o.value(QLatin1String("nome")).toString().toStdString(),
                    o.value(QLatin1String("punti")).toInteger(),
                    o.value(QLatin1String("livello")).toInteger()};
    if (l.voce >= 1 && l.voce <= NumeroRecord && NomeNostro(l.file) && legami.size() < NumeroRecord)
      legami.push_back(std::move(l));
  }
  return legami;
}

const ArchivioPartite::Legame* ArchivioPartite::Trova(const std::vector<Legame>& legami, int voce,
                                                      const TabellaRecord& tabella,
                                                      const std::vector<bool>* usati) const {
  if (voce < 1 || voce > NumeroRecord) return nullptr;
  const VoceRecord& attesa = tabella[static_cast<size_t>(voce - 1)];
  // The link of that very entry first; then one of an entry that has moved down the
  // table since (a crash between Record and the link), with the same claim.
  const Legame* trovato = nullptr;
  for (size_t k = 0; k < legami.size(); ++k) {
    const Legame& l = legami[k];
    if ((usati && (*usati)[k]) || !Uguali(l.dichiarata, attesa)) continue;
    if (l.voce == voce) return &l;
    if (!trovato) trovato = &l;
  }
  return trovato;
}

std::optional<std::filesystem::path> ArchivioPartite::PartitaDellaVoce(
    int voce, const TabellaRecord& tabella) const {
  const std::vector<Legame> legami = LeggiLegami();
  const Legame* l = Trova(legami, voce, tabella);
  if (!l) return std::nullopt;
  const std::filesystem::path file = m_cartella / CartellaPartite / l->file;
  const auto intestazione = LeggiIntestazioneReplica(file);
  if (!intestazione) return std::nullopt;
  const IntestazioneReplica& i = intestazione.valore();
  if (!Uguali({i.nome, i.punteggio, i.livello}, l->dichiarata)) return std::nullopt;
  return file;
}

std::vector<ArchivioPartite::Legame> ArchivioPartite::Validi(const TabellaRecord& tabella) const {
  const std::vector<Legame> legami = LeggiLegami();
  std::vector<bool> usati(legami.size(), false);
  std::vector<Legame> validi;
  for (int voce = 1; voce <= NumeroRecord; ++voce) {
    const Legame* l = Trova(legami, voce, tabella, &usati);
    if (!l) continue;
    usati[static_cast<size_t>(l - legami.data())] = true;
    validi.push_back({voce, l->file, l->dichiarata});
  }
  return validi;
}

Esito ArchivioPartite::Conserva(const PartitaRegistrata& partita, const TabellaRecord& tabella) {
  const Replica& r = partita.replica;
  if (const Esito ultima = ScriviFileReplica(UltimaPartita(), r, m_chiamate); !ultima)
    return ultima;
  std::vector<Legame> legami = Validi(tabella);
  if (partita.posizione >= 1 && partita.posizione <= NumeroRecord) {
    auto byte = CodificaReplica(r);
    if (!byte) return Errore{byte.errore()};
    const std::string nome =
        QCryptographicHash::hash(
            QByteArrayView(byte.valore().data(), static_cast<qsizetype>(byte.valore().size())),
            QCryptographicHash::Sha1)
            .toHex()
            .toStdString() +
        ".skrep";
    std::error_code ec;
    std::filesystem::create_directory(m_cartella / CartellaPartite, ec);
    if (const Esito scritta = ScriviFileAtomico(m_cartella / CartellaPartite / nome, byte.valore(),
                                                false, m_chiamate);
        !scritta)
      return scritta;
    std::erase_if(legami, [&](const Legame& l) { return l.voce == partita.posizione; });
    legami.push_back({partita.posizione,
                      nome,
                      {r.intestazione.nome, r.intestazione.punteggio, r.intestazione.livello}});
  }
  QJsonArray voci;
  for (const Legame& l : legami) {
    voci.append(
        QJsonObject{{QStringLiteral("voce"), l.voce},
                    {QStringLiteral("file"), QString::fromStdString(l.file)},
                    {QStringLiteral("nome"), QString::fromStdString(l.dichiarata.Nome)},
                    {QStringLiteral("punti"), static_cast<qint64>(l.dichiarata.Punti)},
                    {QStringLiteral("livello"), static_cast<qint64>(l.dichiarata.Livello)}});
  }
  const QByteArray json = QJsonDocument(QJsonObject{{QStringLiteral("voci"), voci}}).toJson();
  if (const Esito scritto =
          ScriviFileAtomico(m_cartella / NomeLegameRecord,
                            std::string_view(json.constData(), json.size()), false, m_chiamate);
      !scritto)
    return scritto;
  Spazza(tabella);
  return {};
}

void ArchivioPartite::Spazza(const TabellaRecord& tabella) const {
  const std::vector<Legame> validi = Validi(tabella);
  // Listed first, removed after: the folder is not changed under the listing.
  std::vector<std::filesystem::path> sciolti;
  std::error_code ec;
  for (const auto& voce : std::filesystem::directory_iterator(m_cartella / CartellaPartite, ec)) {
    const std::string nome = voce.path().filename().string();
    if (!NomeNostro(nome) || !voce.is_regular_file(ec)) continue;
    if (std::none_of(validi.begin(), validi.end(), [&](const Legame& l) { return l.file == nome; }))
      sciolti.push_back(voce.path());
  }
  for (const auto& file : sciolti) (void)EliminaFile(file);
}
