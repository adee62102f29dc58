#include "core/shell/Language.h"

#include <iterator>

namespace {

// One entry: its texts in language order 0 Dutch, 1 English, 2 German,
// 3 French, 4 Spanish, 5 Portuguese, 6 Italian, 7 Finnish, 8 Hungarian,
// 9 Turkish. UTF-8 literals; each text only uses characters Windows-1252 has,
// so letters it lacks are written plain (Hungarian o/u, Turkish g/s/i).
struct Entry {
  const char* text[LanguageCount];
};

// Rows in TextId order.
constexpr Entry kEntries[] = {
    // Version
    {{"Versie ", "Version ", "Version ", "Version ", "Versión ", "Versão ", "Versione ", "Versio ", "Verzió ",
      "Versiyon "}},
    // Updating
    {{"opwaarderen ", "updating ", "Aktualisierung von ", "mise à jour de ", "actualizando ", "a atualizar ",
      "aggiornamento ", "päivitetään ", "frissítés: ", "güncelleme: "}},
    // To
    {{" naar ", " to ", " auf ", " vers ", " a ", " para ", " a ", " versioon ",
      " – új verzió: ", " – yeni sürüm: "}},
    // Cancel
    {{"annuleren", "cancel", "abbrechen", "annuler", "cancelar", "cancelar", "annulla", "peruuta", "mégse",
      "iptal"}},
    // Settings
    {{"instellingen", "settings", "Einstellungen", "paramètres", "configuración", "definições",
      "impostazioni", "asetukset", "beállítások", "ayarlar"}},
    // CodeWheels
    {{"codeschijfjes", "code wheels", "Codierräder", "roues codeuses", "ruedas de código", "rodas de código",
      "ruote di codifica", "koodikiekot", "kódtárcsák", "kod tekerlekleri"}},
    // ShowHints
    {{"toon hints", "show hints", "Hinweise anzeigen", "afficher les infobulles", "mostrar ayudas",
      "mostrar dicas", "mostra suggerimenti", "näytä vihjeet", "tippek mutatása", "ipuçlarini göster"}},
    // Language
    {{"taalkeuze", "language", "Sprache", "langue", "idioma", "idioma", "lingua", "kieli", "nyelv", "dil"}},
    // Yes
    {{"ja", "yes", "ja", "oui", "sí", "sim", "sì", "kyllä", "igen", "evet"}},
    // No
    {{"nee", "no", "nein", "non", "no", "não", "no", "ei", "nem", "hayir"}},
    // Location
    {{"locatie", "location", "Standort", "emplacement", "ubicación", "localização", "posizione", "sijainti",
      "helyszín", "konum"}},
    // Country
    {{"land", "country", "Land", "pays", "país", "país", "paese", "maa", "ország", "ülke"}},
    // City
    {{"plaats", "city", "Ort", "ville", "ciudad", "cidade", "città", "paikkakunta", "város", "sehir"}},
    // SunRise
    {{"zon op", "sun rise", "Sonnenaufgang", "lever du soleil", "salida del sol", "nascer do sol", "alba",
      "auringonnousu", "napkelte", "gün dogumu"}},
    // SunSet
    {{"zon onder", "sun set", "Sonnenuntergang", "coucher du soleil", "puesta del sol", "pôr do sol",
      "tramonto", "auringonlasku", "napnyugta", "gün batimi"}},
    // StandardTime
    {{"wintertijd", "standard time", "Normalzeit", "heure d'hiver", "horario de invierno", "hora de inverno",
      "ora solare", "normaaliaika", "téli idöszámítás", "kis saati"}},
    // DaylightSavingTime
    {{"zomertijd", "daylight saving time", "Sommerzeit", "heure d'été", "horario de verano", "hora de verão",
      "ora legale", "kesäaika", "nyári idöszámítás", "yaz saati"}},
    // Load
    {{"laden", "load", "laden", "charger", "cargar", "carregar", "carica", "lataa", "betöltés", "yükle"}},
    // Save
    {{"opslaan", "save", "speichern", "enregistrer", "guardar", "guardar", "salva", "tallenna", "mentés",
      "kaydet"}},
    // EastLongitude
    {{"oosterlengte", "east longitude", "östliche Länge", "longitude est", "longitud este", "longitude este",
      "longitudine est", "itäinen pituus", "keleti hosszúság", "dogu boylami"}},
    // WestLongitude
    {{"westerlengte", "west longitude", "westliche Länge", "longitude ouest", "longitud oeste",
      "longitude oeste", "longitudine ovest", "läntinen pituus", "nyugati hosszúság", "bati boylami"}},
    // NorthLatitude
    {{"noorderbreedte", "north latitude", "nördliche Breite", "latitude nord", "latitud norte",
      "latitude norte", "latitudine nord", "pohjoinen leveys", "északi szélesség", "kuzey enlemi"}},
    // SouthLatitude
    {{"zuiderbreedte", "south latitude", "südliche Breite", "latitude sud", "latitud sur", "latitude sul",
      "latitudine sud", "eteläinen leveys", "déli szélesség", "güney enlemi"}},
    // Attention
    {{"Let op!", "Attention!", "Achtung!", "Attention !", "¡Atención!", "Atenção!", "Attenzione!", "Huomio!",
      "Figyelem!", "Dikkat!"}},
    // TheKLV820IsNotConnected
    {{"De KLV-820 is niet aangesloten", "The KLV-820 is not connected", "Der KLV-820 ist nicht angeschlossen",
      "Le KLV-820 n'est pas connecté", "El KLV-820 no está conectado", "O KLV-820 não está conectado",
      "Il KLV-820 non è connesso", "KLV-820 ei ole liitettynä", "A KLV-820 nincs csatlakoztatva",
      "KLV-820 bagli degil"}},
    // DeviceHasNoCode
    {{"Apparaat heeft nog geen code", "Device has no code", "Gerät hat keinen Code",
      "L'appareil n'a pas de code", "El dispositivo no tiene código", "O dispositivo não tem código",
      "Il dispositivo non ha un codice", "Laitteella ei ole koodia", "Az eszköznek nincs kódja",
      "Cihazin kodu yok"}},
    // SelectACityOrMyLocation
    {{"Kies een plaatsnaam\rof 'mijn locatie'", "Select a city\ror 'my location'",
      "Wählen Sie einen Ort\roder 'mein Standort'", "Choisissez une ville\rou 'mon emplacement'",
      "Elija una ciudad\ro 'mi ubicación'", "Escolha uma cidade\rou 'a minha localização'",
      "Scegliere una città\ro 'la mia posizione'", "Valitse paikkakunta\rtai 'oma sijainti'",
      "Válasszon várost\rvagy 'saját helyszín'", "Bir sehir seçin\rveya 'konumum'"}},
    // SelectMyLocationUnderCityToChangeCoorditates
    {{"Kies 'mijn locatie' bij -plaats-\rom coördinaten in te stellen",
      "Select 'my location' under -city-\rto change coorditates",
      "Wählen Sie 'mein Standort' unter -Ort-,\rum die Koordinaten zu ändern",
      "Choisissez 'mon emplacement' sous -ville-\rpour changer les coordonnées",
      "Elija 'mi ubicación' en -ciudad-\rpara cambiar las coordenadas",
      "Escolha 'a minha localização' em -cidade-\rpara alterar as coordenadas",
      "Scegliere 'la mia posizione' in -città-\rper cambiare le coordinate",
      "Valitse 'oma sijainti' kohdassa -paikkakunta-\rmuuttaaksesi koordinaatteja",
      "Válassza a 'saját helyszín' elemet a -város- mezöben\ra koordináták módosításához",
      "Koordinatlari degistirmek için\r-sehir- altinda 'konumum' seçin"}},
    // MyLocation
    {{"mijn locatie", "my location", "mein Standort", "mon emplacement", "mi ubicación",
      "a minha localização", "la mia posizione", "oma sijainti", "saját helyszín", "konumum"}},
    // PreviousConfiguration
    {{"vorige configuratie", "previous configuration", "vorherige Konfiguration", "configuration précédente",
      "configuración anterior", "configuração anterior", "configurazione precedente", "edellinen kokoonpano",
      "elözö konfiguráció", "önceki yapilandirma"}},
    // Rooms
    {{"ruimtes", "rooms", "Räume", "pièces", "habitaciones", "divisões", "stanze", "huoneet", "helyiségek",
      "odalar"}},
    // Devices
    {{"apparaten", "devices", "Geräte", "appareils", "dispositivos", "dispositivos", "dispositivi",
      "laitteet", "eszközök", "cihazlar"}},
    // Exit
    {{"afsluiten", "exit", "beenden", "quitter", "salir", "sair", "esci", "lopeta", "kilépés", "çikis"}},
    // OK
    {{"OK", "OK", "OK", "OK", "OK", "OK", "OK", "OK", "OK", "OK"}},
    // Extra
    {{"extra", "extra", "Extras", "extras", "extras", "extras", "extra", "lisätoiminnot", "extrák",
      "ekstra"}},
    // Scenes
    {{"scenes", "scenes", "Szenen", "scènes", "escenas", "cenas", "scenari", "tilanteet", "jelenetek",
      "sahneler"}},
    // Timer
    {{"timer", "timer", "Timer", "programmation", "programación", "programação", "timer", "ajastin",
      "idözítö", "zamanlayici"}},
    // On
    {{"aan", "on", "ein", "marche", "encendido", "ligado", "acceso", "päällä", "be", "açik"}},
    // DimValue
    {{"dimstand", "dim value", "Dimmwert", "intensité", "intensidad", "intensidade", "luminosità",
      "himmennysarvo", "fényerö", "parlaklik"}},
    // Off
    {{"uit", "off", "aus", "arrêt", "apagado", "desligado", "spento", "pois", "ki", "kapali"}},
    // DoubleClickToEdit
    {{"Dubbelklik om in te stellen", "Double click to edit", "Doppelklick zum Bearbeiten",
      "Double-cliquez pour modifier", "Doble clic para editar", "Duplo clique para editar",
      "Doppio clic per modificare", "Kaksoisnapsauta muokataksesi", "Dupla kattintás a szerkesztéshez",
      "Düzenlemek için çift tiklayin"}},
    // NoDayDate
    {{"<dag/datum>", "<day/date>", "<Tag/Datum>", "<jour/date>", "<día/fecha>", "<dia/data>", "<giorno/data>",
      "<päivä/pvm>", "<nap/dátum>", "<gün/tarih>"}},
    // NoMonth
    {{"<maand>", "<month>", "<Monat>", "<mois>", "<mes>", "<mês>", "<mese>", "<kuukausi>", "<hónap>",
      "<ay>"}},
    // BeforeSunRise
    {{" min voor zon op", " before sun rise", " min vor Sonnenaufgang", " min avant le lever du soleil",
      " min antes del amanecer", " min antes do nascer do sol", " min prima dell'alba",
      " min ennen auringonnousua", " perccel napkelte elött", " dk gün dogumundan önce"}},
    // AfterSunRise
    {{" min na zon op", " after sun rise", " min nach Sonnenaufgang", " min après le lever du soleil",
      " min después del amanecer", " min depois do nascer do sol", " min dopo l'alba",
      " min auringonnousun jälkeen", " perccel napkelte után", " dk gün dogumundan sonra"}},
    // BeforeSunSet
    {{" min voor zon onder", " before sun set", " min vor Sonnenuntergang", " min avant coucher du soleil",
      " min antes del atardecer", " min antes do pôr do sol", " min prima del tramonto",
      " min ennen auringonlaskua", " perccel napnyugta elött", " dk gün batimindan önce"}},
    // AfterSunSet
    {{" min na zon onder", " after sun set", " min nach Sonnenuntergang", " min après coucher du soleil",
      " min después del atardecer", " min depois do pôr do sol", " min dopo il tramonto",
      " min auringonlaskun jälkeen", " perccel napnyugta után", " dk gün batimindan sonra"}},
    // NoTime
    {{"<tijd>", "<time>", "<Zeit>", "<heure>", "<hora>", "<hora>", "<ora>", "<aika>", "<idö>", "<saat>"}},
    // Between
    {{"tussen ", "between ", "zwischen ", "entre ", "entre ", "entre ", "tra ", "klo ", "idösáv: ", "saat "}},
    // And
    {{" en ", " and ", " und ", " et ", " y ", " e ", " e ", " – ", " – ", " - "}},
    // Execute
    {{"uitvoeren", "execute", "ausführen", "exécuter", "ejecutar", "executar", "esegui", "suorita",
      "végrehajtás", "çalistir"}},
    // Dim
    {{"dim ", "dim ", "dimmen ", "intensité ", "intensidad ", "regular ", "luminosità ", "himmeä ",
      "fényerö ", "parlaklik "}},
    // Su
    {{"zo ", "Su ", "So ", "Di ", "do ", "Do ", "Do ", "su ", "V ", "Pa "}},
    // Mo
    {{"ma ", "Mo ", "Mo ", "Lu ", "lu ", "Se ", "Lu ", "ma ", "H ", "Pt "}},
    // Tu
    {{"di ", "Tu ", "Di ", "Ma ", "ma ", "Te ", "Ma ", "ti ", "K ", "Sa "}},
    // We
    {{"wo ", "We ", "Mi ", "Me ", "mi ", "Qa ", "Me ", "ke ", "Sze ", "Ça "}},
    // Th
    {{"do ", "Th ", "Do ", "Je ", "ju ", "Qi ", "Gi ", "to ", "Cs ", "Pe "}},
    // Fr
    {{"vr ", "Fr ", "Fr ", "Ve ", "vi ", "Sx ", "Ve ", "pe ", "P ", "Cu "}},
    // Sa
    {{"za ", "Sa ", "Sa ", "Sa ", "sá ", "Sá ", "Sa ", "la ", "Szo ", "Ct "}},
    // ProgramTimer
    {{"timer instellen", "program timer", "Timer programmieren", "régler la programmation",
      "configurar programación", "configurar programação", "programma timer", "ajastimen ohjelmointi",
      "idözítö programozása", "zamanlayiciyi programla"}},
    // TimerRooms
    {{"timer: ruimte", "timer: rooms", "Timer: Räume", "programmation : pièces", "programación: habitaciones",
      "programação: divisões", "timer: stanze", "ajastin: huoneet", "idözítö: helyiségek",
      "zamanlayici: odalar"}},
    // TimerDevices
    {{"timer: apparaat", "timer: devices", "Timer: Geräte", "programmation : appareils",
      "programación: dispositivos", "programação: dispositivos", "timer: dispositivi", "ajastin: laitteet",
      "idözítö: eszközök", "zamanlayici: cihazlar"}},
    // TimerScenes
    {{"timer: scenes", "timer: scenes", "Timer: Szenen", "programmation : scènes", "programación: escenas",
      "programação: cenas", "timer: scenari", "ajastin: tilanteet", "idözítö: jelenetek",
      "zamanlayici: sahneler"}},
    // DoubleClickToSetUpTimer
    {{"Dubbelklik om in te stellen", "Double click to set up", "Doppelklick zum Einstellen",
      "Double-cliquez pour paramétrer", "Doble clic para programar", "Duplo clique para programar",
      "Doppio clic per impostare", "Kaksoisnapsauta asettaaksesi", "Dupla kattintás a beállításhoz",
      "Ayarlamak için çift tiklayin"}},
    // DoubleClickForOtherDevice
    {{"Dubbelklik voor ander apparaat", "Double click for other device", "Doppelklick für anderes Gerät",
      "Double-cliquez pour un autre appareil", "Doble clic para otro dispositivo",
      "Duplo clique para outro dispositivo", "Doppio clic per altro dispositivo",
      "Kaksoisnapsauta vaihtaaksesi laitetta", "Dupla kattintás: másik eszköz",
      "Baska cihaz için çift tiklayin"}},
    // DoubleClickForOtherScene
    {{"Dubbelklik voor andere scene", "Double click for other scene", "Doppelklick für andere Szene",
      "Double-cliquez pour une autre scène", "Doble clic para otra escena", "Duplo clique para outra cena",
      "Doppio clic per altro scenario", "Kaksoisnapsauta vaihtaaksesi tilannetta",
      "Dupla kattintás: másik jelenet", "Baska sahne için çift tiklayin"}},
    // HasBeenUpdated
    {{" is opgewaardeerd", " has been updated", " wurde aktualisiert", " a été mis à jour",
      " se ha actualizado", " foi atualizado", " è stato aggiornato", " on päivitetty", " frissítve",
      " güncellendi"}},
    // AndIsReadyForUse
    {{"en is klaar voor gebruik", "and is ready for use", "und ist betriebsbereit", "et est prêt à l'emploi",
      "y está listo para usar", "e está pronto a usar", "ed è pronto per l'uso", "ja on käyttövalmis",
      "és használatra kész", "ve kullanima hazir"}},
    // Back
    {{"terug", "back", "zurück", "retour", "volver", "voltar", "indietro", "takaisin", "vissza", "geri"}},
    // Command
    {{"aktie", "Command", "Aktion", "Action", "Acción", "Ação", "Azione", "Toiminto", "Müvelet", "Eylem"}},
    // WeekDays
    {{"weekdagen", "week days", "Wochentage", "jours de la semaine", "días de la semana", "dias da semana",
      "giorni settimana", "viikonpäivät", "hét napjai", "haftanin günleri"}},
    // Date
    {{"datum", "date", "Datum", "date", "fecha", "data", "data", "päivämäärä", "dátum", "tarih"}},
    // EveryDay
    {{"elke dag", "every day", "jeden Tag", "tous les jours", "todos los días", "todos os dias",
      "ogni giorno", "joka päivä", "minden nap", "her gün"}},
    // Monday
    {{"maandag", "Monday", "Montag", "lundi", "lunes", "segunda-feira", "lunedì", "maanantai", "hétfö",
      "Pazartesi"}},
    // Tuesday
    {{"dinsdag", "Tuesday", "Dienstag", "mardi", "martes", "terça-feira", "martedì", "tiistai", "kedd",
      "Sali"}},
    // Wednesday
    {{"woensdag", "Wednesday", "Mittwoch", "mercredi", "miércoles", "quarta-feira", "mercoledì",
      "keskiviikko", "szerda", "Çarsamba"}},
    // Thursday
    {{"donderdag", "Thursday", "Donnerstag", "jeudi", "jueves", "quinta-feira", "giovedì", "torstai",
      "csütörtök", "Persembe"}},
    // Friday
    {{"vrijdag", "Friday", "Freitag", "vendredi", "viernes", "sexta-feira", "venerdì", "perjantai", "péntek",
      "Cuma"}},
    // Satuday
    {{"zaterdag", "Satuday", "Samstag", "samedi", "sábado", "sábado", "sabato", "lauantai", "szombat",
      "Cumartesi"}},
    // Sunday
    {{"zondag", "Sunday", "Sonntag", "dimanche", "domingo", "domingo", "domenica", "sunnuntai", "vasárnap",
      "Pazar"}},
    // Month
    {{"maand", "month", "Monat", "mois", "mes", "mês", "mese", "kuukausi", "hónap", "ay"}},
    // January
    {{"januari", "January", "Januar", "janvier", "enero", "janeiro", "gennaio", "tammikuu", "január",
      "Ocak"}},
    // February
    {{"februari", "February", "Februar", "février", "febrero", "fevereiro", "febbraio", "helmikuu", "február",
      "Subat"}},
    // March
    {{"maart", "March", "März", "mars", "marzo", "março", "marzo", "maaliskuu", "március", "Mart"}},
    // April
    {{"april", "April", "April", "avril", "abril", "abril", "aprile", "huhtikuu", "április", "Nisan"}},
    // May
    {{"mei", "May", "Mai", "mai", "mayo", "maio", "maggio", "toukokuu", "május", "Mayis"}},
    // June
    {{"juni", "June", "Juni", "juin", "junio", "junho", "giugno", "kesäkuu", "június", "Haziran"}},
    // July
    {{"juli", "July", "Juli", "juillet", "julio", "julho", "luglio", "heinäkuu", "július", "Temmuz"}},
    // August
    {{"augustus", "August", "August", "août", "agosto", "agosto", "agosto", "elokuu", "augusztus",
      "Agustos"}},
    // September
    {{"september", "September", "September", "septembre", "septiembre", "setembro", "settembre", "syyskuu",
      "szeptember", "Eylül"}},
    // October
    {{"oktober", "October", "Oktober", "octobre", "octubre", "outubro", "ottobre", "lokakuu", "október",
      "Ekim"}},
    // November
    {{"november", "November", "November", "novembre", "noviembre", "novembro", "novembre", "marraskuu",
      "november", "Kasim"}},
    // December
    {{"december", "December", "Dezember", "décembre", "diciembre", "dezembro", "dicembre", "joulukuu",
      "december", "Aralik"}},
    // EveryMonth
    {{"elke maand", "every month", "jeden Monat", "tous les mois", "cada mes", "cada mês", "ogni mese",
      "joka kuukausi", "minden hónap", "her ay"}},
    // MaximumNumberOfRandomActionsReached
    {{"Maximaal aantal random akties bereikt.", "Maximum number of random actions reached",
      "Maximale Anzahl zufälliger Aktionen erreicht", "Nombre maximal d'actions aléatoires atteint",
      "Alcanzado el número máximo de acciones aleatorias", "Atingido o número máximo de ações aleatórias",
      "Raggiunto il numero massimo di azioni casuali", "Satunnaisten toimintojen enimmäismäärä saavutettu",
      "Elérte a véletlen müveletek maximális számát", "Maksimum rastgele eylem sayisina ulasildi"}},
    // Time
    {{"tijdstip", "time", "Zeitpunkt", "heure", "hora", "hora", "orario", "aika", "idöpont", "saat"}},
    // FixedTime
    {{"vaste tijd", "fixed time", "feste Zeit", "heure fixe", "hora fija", "hora fixa", "orario fisso",
      "kiinteä aika", "fix idöpont", "sabit saat"}},
    // Random
    {{"random", "random", "zufällig", "aléatoire", "aleatorio", "aleatório", "casuale", "satunnainen",
      "véletlen", "rastgele"}},
    // DayLight
    {{"daglicht", "day light", "Tageslicht", "lumière du jour", "luz del día", "luz do dia", "luce diurna",
      "päivänvalo", "napfény", "gün isigi"}},
    // Before
    {{"voor", "before", "vor", "avant", "antes", "antes", "prima", "ennen", "elött", "önce"}},
    // After
    {{"na", "after", "nach", "après", "después", "depois", "dopo", "jälkeen", "után", "sonra"}},
    // InvalidTime
    {{"ongeldige tijd", "invalid time", "ungültige Zeit", "heure non valide", "hora no válida",
      "hora inválida", "orario non valido", "virheellinen aika", "érvénytelen idö", "geçersiz saat"}},
    // Maximum1Hour
    {{"+ maximaal 1 uur", "+ maximum 1 hour", "+ maximal 1 Stunde", "+ 1 heure maximum", "+ máximo 1 hora",
      "+ máximo 1 hora", "+ massimo 1 ora", "+ enintään 1 tunti", "+ legfeljebb 1 óra", "+ en fazla 1 saat"}},
    // Minutes
    {{"minuten", "minutes", "Minuten", "minutes", "minutos", "minutos", "minuti", "minuuttia", "perc",
      "dakika"}},
    // LearnCode
    {{"code leren", "learn code", "Code anlernen", "apprendre code", "aprender código", "aprender código",
      "apprendi codice", "opeta koodi", "kód tanítása", "kod ögren"}},
    // StopLearning
    {{"leren uit", "stop learning", "Anlernen beenden", "fin d'apprentissage", "fin aprendizaje",
      "parar aprendizagem", "interrompi", "lopeta opetus", "tanítás vége", "ögrenmeyi durdur"}},
    // DoubleClickToBrowseForPicture
    {{"Dubbelklik om eigen plaatje te kiezen", "Double click to browse for picture",
      "Doppelklick, um ein Bild zu wählen", "Double-cliquez pour choisir une image",
      "Doble clic para buscar una imagen", "Duplo clique para procurar uma imagem",
      "Doppio clic per cercare un'immagine", "Kaksoisnapsauta valitaksesi kuvan",
      "Dupla kattintás a kép tallózásához", "Resim seçmek için çift tiklayin"}},
    // CodeSwitchReceiver
    {{"codeschijfjes ontvanger", "code switch receiver", "Codierrad-Empfänger", "récepteur à roues codeuses",
      "receptor con ruedas de código", "recetor com rodas de código", "ricevitore con ruote di codifica",
      "koodikiekkovastaanotin", "kódtárcsás vevö", "kod tekerlekli alici"}},
    // Dimmer
    {{"dimbare ontvanger", "dimmer", "Dimmer", "variateur", "regulador", "regulador", "dimmer", "himmennin",
      "fényeröszabályzó", "dimmer"}},
    // Code
    {{"code", "code", "Code", "code", "código", "código", "codice", "koodi", "kód", "kod"}},
    // RoomImage
    {{"afbeelding ruimte", "room image", "Raumbild", "image de la pièce", "imagen de la habitación",
      "imagem da divisão", "immagine stanza", "huoneen kuva", "helyiség képe", "oda resmi"}},
    // RoomDescription
    {{"omschrijving ruimte", "room description", "Raumbeschreibung", "description de la pièce",
      "descripción de la habitación", "descrição da divisão", "descrizione stanza", "huoneen kuvaus",
      "helyiség leírása", "oda açiklamasi"}},
    // DeviceImage
    {{"afbeelding apparaat", "device image", "Gerätebild", "image de l'appareil", "imagen del dispositivo",
      "imagem do dispositivo", "immagine dispositivo", "laitteen kuva", "eszköz képe", "cihaz resmi"}},
    // DeviceDescription
    {{"omschrijving apparaat", "device description", "Gerätebeschreibung", "description de l'appareil",
      "descripción del dispositivo", "descrição do dispositivo", "descrizione dispositivo", "laitteen kuvaus",
      "eszköz leírása", "cihaz açiklamasi"}},
    // Delete
    {{"wissen", "delete", "löschen", "supprimer", "eliminar", "eliminar", "elimina", "poista", "törlés",
      "sil"}},
    // Scene
    {{"scene", "scene", "Szene", "scène", "escena", "cena", "scenario", "tilanne", "jelenet", "sahne"}},
    // Description
    {{"omschrijving", "description", "Beschreibung", "description", "descripción", "descrição", "descrizione",
      "kuvaus", "leírás", "açiklama"}},
    // DoubleClickToSelect
    {{"Dubbelklik om in te stellen", "Double click to select", "Doppelklick zum Auswählen",
      "Double-cliquez pour sélectionner", "Doble clic para seleccionar", "Duplo clique para selecionar",
      "Doppio clic per selezionare", "Kaksoisnapsauta valitaksesi", "Dupla kattintás a kiválasztáshoz",
      "Seçmek için çift tiklayin"}},
    // SceneDevices
    {{"scene: apparaten", "scene: devices", "Szene: Geräte", "scène : appareils", "escena: dispositivos",
      "cena: dispositivos", "scenario: dispositivi", "tilanne: laitteet", "jelenet: eszközök",
      "sahne: cihazlar"}},
    // SceneRooms
    {{"scene: ruimtes", "scene: rooms", "Szene: Räume", "scène : pièces", "escena: habitaciones",
      "cena: divisões", "scenario: stanze", "tilanne: huoneet", "jelenet: helyiségek", "sahne: odalar"}},
    // ScenesOverview
    {{"overzicht scenes", "scenes overview", "Szenenübersicht", "aperçu des scènes", "resumen de escenas",
      "vista geral das cenas", "panoramica scenari", "tilanteiden yleiskatsaus", "jelenetek áttekintése",
      "sahnelere genel bakis"}},
    // DoubleClickToSetUpScene
    {{"Dubbelklik om in te stellen", "Double click to set up", "Doppelklick zum Einrichten",
      "Double-cliquez pour configurer", "Doble clic para configurar", "Duplo clique para configurar",
      "Doppio clic per configurare", "Kaksoisnapsauta määrittääksesi", "Dupla kattintás a beállításhoz",
      "Ayarlamak için çift tiklayin"}},
    // Copy
    {{"kopiëren", "copy", "kopieren", "copier", "copiar", "copiar", "copia", "kopioi", "másolás", "kopyala"}},
    // Add
    {{"toevoegen", "add", "hinzufügen", "ajouter", "añadir", "adicionar", "aggiungi", "lisää", "hozzáadás",
      "ekle"}},
    // Erasing
    {{"Wissen ", "Erasing ", "Löschen: ", "Effacement du ", "Borrando ", "A apagar ", "Cancellazione ",
      "Tyhjennetään ", "Törlés: ", "Siliniyor: "}},
    // Programming
    {{"Programmeren ", "Programming ", "Programmieren: ", "Programmation du ", "Programando ", "A programar ",
      "Programmazione ", "Ohjelmoidaan ", "Programozás: ", "Programlaniyor: "}},
    // WaitForReconnectionOf
    {{"Wacht op aanmelding van ", "Wait for reconnection of ", "Warte auf erneute Verbindung von ",
      "Attente de la reconnexion du ", "Esperando la reconexión de ", "A aguardar nova ligação do ",
      "In attesa della riconnessione di ", "Odotetaan uudelleenyhdistämistä: ",
      "Várakozás az újracsatlakozásra: ", "Yeniden baglanti bekleniyor: "}},
    // ErrorErasing
    {{"Fout bij wissen", "Error erasing", "Fehler beim Löschen", "Erreur d'effacement", "Error al borrar",
      "Erro ao apagar", "Errore di cancellazione", "Virhe tyhjennyksessä", "Hiba a törléskor",
      "Silme hatasi"}},
    // VerifyErrorAtAddress
    {{"Controle fout op adres: ", "Verify error at address: ", "Prüffehler an Adresse: ",
      "Erreur de vérification à l'adresse : ", "Error de verificación en la dirección: ",
      "Erro de verificação no endereço: ", "Errore di verifica all'indirizzo: ",
      "Tarkistusvirhe osoitteessa: ", "Ellenörzési hiba a címen: ", "Dogrulama hatasi, adres: "}},
    // UpdatingTo
    {{"Opwaarderen naar ", "Updating to ", "Aktualisierung auf ", "Mise à jour vers ", "Actualizando a ",
      "A atualizar para ", "Aggiornamento a ", "Päivitetään versioon ",
      "Frissítés erre: ", "Güncelleniyor: "}},
    // AddressExcedesFlashSize
    {{"Adres buiten flashbereik", "Address excedes flash size", "Adresse überschreitet Flash-Größe",
      "Adresse hors de la mémoire flash", "Dirección fuera de la memoria flash",
      "Endereço excede o tamanho da flash", "Indirizzo oltre la dimensione della flash",
      "Osoite ylittää flash-muistin koon", "A cím túllépi a flash méretét", "Adres flash boyutunu asiyor"}},
    // FileCorruptChecksumError
    {{"File beschadigd: Checksum fout", "File corrupt: Checksum error", "Datei beschädigt: Prüfsummenfehler",
      "Fichier corrompu : erreur de somme de contrôle", "Archivo dañado: error de suma de verificación",
      "Ficheiro corrompido: erro de soma de verificação", "File danneggiato: errore di checksum",
      "Tiedosto vioittunut: tarkistussummavirhe", "Sérült fájl: ellenörzöösszeg-hiba",
      "Dosya bozuk: saglama toplami hatasi"}},
    // SendToKLV
    {{"naar KLV", "Send to KLV", "Übertragen", "Envoi au KLV", "Enviar al KLV", "Enviar ao KLV",
      "Invia al KLV", "Vie KLV:hen", "Küldés KLV-re", "KLV'ye aktar"}},
    // ChangesInEffectOnly
    {{"Wijzigingen worden pas actief", "Changes in effect only", "Änderungen werden erst wirksam",
      "Les modifications ne s'appliquent", "Los cambios solo se aplican", "As alterações só têm efeito",
      "Le modifiche hanno effetto solo", "Muutokset tulevat voimaan vasta,",
      "A változások csak akkor lépnek életbe,", "Degisiklikler ancak su dügmeye"}},
    // AfterClickingOn
    {{"na klik op", "after clicking on", "nach Klick auf", "qu'après un clic sur", "después de pulsar",
      "depois de clicar em", "dopo aver cliccato su", "kun napsautat painiketta",
      "ha rákattint erre:", "tiklandiktan sonra etkinlesir:"}},
};

static_assert(std::size(kEntries) == TextCount, "one row per TextId");

const char* Text(TextId id, int language) {
  const int row = static_cast<int>(id);
  if (row < 0 || row >= TextCount) return "";
  if (language < 0 || language >= LanguageCount) language = 1;
  return kEntries[row].text[language];
}

// Rows in MoreTextId order.
constexpr Entry kMoreEntries[] = {
    // Week
    {{"week", "week", "Woche", "semaine", "semana", "semana", "settimana", "viikko", "hét", "hafta"}},
    // All
    {{"alles", "all", "alle", "tout", "todo", "tudo", "tutto", "kaikki", "mind", "tümü"}},
    // Drive
    {{"station", "drive", "Laufwerk", "lecteur", "unidad", "unidade", "unità", "asema", "meghajtó",
      "sürücü"}},
    // Folder
    {{"map", "folder", "Ordner", "dossier", "carpeta", "pasta", "cartella", "kansio", "mappa", "klasör"}},
    // Pictures
    {{"afbeeldingen", "pictures", "Bilder", "images", "imágenes", "imagens", "immagini", "kuvat", "képek",
      "resimler"}},
    // Preview
    {{"voorbeeld", "preview", "Vorschau", "aperçu", "vista previa", "pré-visualização", "anteprima",
      "esikatselu", "elönézet", "önizleme"}},
    // ChangesNotSaved
    {{"De laatste wijzigingen zijn niet opgeslagen.", "The last changes were not saved.",
      "Letzte Änderungen nicht gespeichert.", "Les dernières modifications sont perdues.",
      "Los últimos cambios no se guardaron.", "Últimas alterações não guardadas.",
      "Le ultime modifiche non sono salvate.", "Viimeisiä muutoksia ei tallennettu.",
      "Az utolsó módosítások nincsenek mentve.", "Son degisiklikler kaydedilmedi."}},
    // RestoreThem
    {{"Herstellen?", "Restore them?", "Wiederherstellen?", "Les restaurer ?", "¿Restaurarlos?",
      "Restaurá-las?", "Ripristinarle?", "Palautetaanko?", "Visszaállítja?", "Geri yüklensin mi?"}},
    // FileDamaged
    {{"Beschadigd bestand, kopie bewaard:", "Damaged file, copy kept:", "Datei beschädigt, Kopie behalten:",
      "Fichier abîmé, copie gardée :", "Archivo dañado, copia guardada:", "Ficheiro danificado, cópia guardada:",
      "File danneggiato, copia tenuta:", "Vioittunut tiedosto, kopio säilytetty:",
      "Sérült fájl, másolat megtartva:", "Bozuk dosya, kopyasi saklandi:"}},
    // TooManyTries
    {{"De KLV blijft in zijn lader.", "The box stays in its loader.", "Die Box bleibt im Lader.",
      "Le boîtier reste dans son chargeur.", "La caja sigue en su cargador.", "A caixa fica no carregador.",
      "Il box resta nel caricatore.", "Laite jää lataajaansa.", "A doboz a betöltöben marad.",
      "Kutu yükleyicide kaliyor."}},
    // UpdateGivenUp
    {{"Update gestopt na 3 pogingen.", "Update stopped after 3 tries.", "Update nach 3 Versuchen beendet.",
      "Mise à jour arrêtée après 3 essais.", "Actualización detenida tras 3 intentos.",
      "Atualização parada após 3 tentativas.", "Aggiornamento fermato dopo 3 tentativi.",
      "Päivitys keskeytetty 3 yrityksen jälkeen.", "Frissítés leállítva 3 próba után.",
      "Güncelleme 3 denemeden sonra durdu."}},
    // Sent
    {{"verzonden", "sent", "gesendet", "envoyé", "enviado", "enviado", "inviato", "lähetetty", "elküldve",
      "gönderildi"}},
    // PutReceiverInLearnMode
    {{"Zet de ontvanger in leerstand", "Put the receiver in learning mode", "Empfänger in Lernmodus setzen",
      "Mettez le récepteur en mode apprentissage", "Ponga el receptor en modo aprendizaje",
      "Coloque o recetor em modo de aprendizagem", "Metti il ricevitore in modalità apprendimento",
      "Aseta vastaanotin oppimistilaan", "Állítsa a vevöt tanuló módba", "Aliciyi ögrenme moduna alin"}},
    // DoubleClickToAddRoom
    {{"Dubbelklik om een ruimte toe te voegen", "Double-click to add a room",
      "Doppelklick fügt einen Raum hinzu", "Double-cliquez pour ajouter une pièce",
      "Doble clic para añadir una habitación", "Duplo clique para adicionar uma divisão",
      "Doppio clic: nuova stanza", "Lisää huone kaksoisnapsauttamalla",
      "Dupla kattintás: új helyiség", "Oda eklemek için çift tiklayin"}},
    // PageOf
    {{"pagina %1 van %2", "page %1 of %2", "Seite %1 von %2", "page %1 sur %2", "página %1 de %2",
      "página %1 de %2", "pagina %1 di %2", "sivu %1/%2", "%1/%2. oldal", "sayfa %1/%2"}},
    // BadSetName
    {{"Deze naam kan niet voor een set:", "This name cannot be used for a settings set:",
      "Dieser Name ist für ein Set nicht möglich:", "Ce nom ne convient pas à un jeu :",
      "Este nombre no sirve para un conjunto:", "Este nome não serve para um conjunto:",
      "Questo nome non è valido per un set:", "Nimeä ei voi käyttää asetuksille:",
      "Ez a név nem használható:", "Bu ad ayar seti için kullanilamaz:"}},
    // NameEmpty
    {{"Typ eerst een naam", "Type a name first", "Bitte zuerst einen Namen eingeben",
      "Saisissez d'abord un nom", "Escriba primero un nombre", "Escreva primeiro um nome",
      "Scrivere prima un nome", "Kirjoita ensin nimi", "Elöbb írjon be egy nevet", "Önce bir ad yazin"}},
    // NameReserved
    {{"Het systeem reserveert deze naam", "The system reserves this name",
      "Das System reserviert diesen Namen", "Le système réserve ce nom", "El sistema reserva este nombre",
      "O sistema reserva este nome", "Il sistema riserva questo nome", "Järjestelmä varaa tämän nimen",
      "Ezt a nevet a rendszer foglalja", "Bu ad sistem tarafindan ayrilmis"}},
    // NameCharacter
    {{"Niet toegestaan in een naam: %1", "Not allowed in a name: %1", "Im Namen nicht erlaubt: %1",
      "Interdit dans un nom : %1", "No permitido en un nombre: %1", "Não permitido num nome: %1",
      "Non ammesso in un nome: %1", "Ei sallittu nimessä: %1", "Névben nem megengedett: %1",
      "Adda izin verilmez: %1"}},
    // NameTrailing
    {{"Een naam mag niet op een punt of spatie eindigen", "A name may not end with a dot or a blank",
      "Ein Name darf nicht mit Punkt oder Leerzeichen enden",
      "Un nom ne peut finir par un point ou un espace", "Un nombre no puede acabar en punto o espacio",
      "Um nome não pode acabar em ponto ou espaço", "Un nome non può finire con punto o spazio",
      "Nimi ei voi päättyä pisteeseen tai välilyöntiin", "A név nem végzödhet ponttal vagy szóközzel",
      "Ad nokta veya boslukla bitemez"}},
    // NameTooLong
    {{"Hoogstens %1 tekens", "At most %1 characters", "Höchstens %1 Zeichen", "%1 caractères au plus",
      "Como máximo %1 caracteres", "No máximo %1 caracteres", "Al massimo %1 caratteri",
      "Enintään %1 merkkiä", "Legfeljebb %1 karakter", "En fazla %1 karakter"}},
    // SetIncomplete
    {{"Deze set is niet compleet:", "This settings set is incomplete:", "Dieses Set ist unvollständig:",
      "Ce jeu est incomplet :", "Este conjunto está incompleto:", "Este conjunto está incompleto:",
      "Questo set è incompleto:", "Tämä asetussarja on vajaa:", "Ez a beállításkészlet hiányos:",
      "Bu ayar seti eksik:"}},
    // FileMissing
    {{"%1 ontbreekt", "%1 is missing", "%1 fehlt", "%1 manque", "falta %1", "falta %1", "manca %1",
      "%1 puuttuu", "%1 hiányzik", "%1 eksik"}},
    // NoSuchSet
    {{"Er is geen set met de naam", "There is no settings set named", "Es gibt kein Set mit dem Namen",
      "Aucun jeu ne porte le nom", "No hay ningún conjunto llamado", "Não existe nenhum conjunto chamado",
      "Non esiste un set di nome", "Asetussarjaa ei ole nimellä",
      "Nincs ilyen nevü készlet:", "Bu adla bir ayar seti yok:"}},
    // LoadFailed
    {{"Laden mislukt, er is niets veranderd:", "Loading failed, nothing was changed:",
      "Laden fehlgeschlagen, nichts wurde geändert:", "Échec du chargement, rien n'a changé :",
      "Error al cargar, no se ha cambiado nada:", "Falha ao carregar, nada foi alterado:",
      "Caricamento non riuscito, nulla è cambiato:", "Lataus epäonnistui, mitään ei muutettu:",
      "A betöltés nem sikerült, semmi sem változott:", "Yükleme basarisiz, hiçbir sey degismedi:"}},
    // StoreFailed
    {{"Opslaan van de set mislukt:", "Storing the settings set failed:", "Speichern des Sets fehlgeschlagen:",
      "Échec de l'enregistrement du jeu :", "No se pudo guardar el conjunto:", "Falha ao guardar o conjunto:",
      "Salvataggio del set non riuscito:", "Asetussarjan tallennus epäonnistui:",
      "A készlet mentése nem sikerült:", "Ayar seti kaydedilemedi:"}},
    // CouldNotSave
    {{"Opslaan mislukt:", "Could not save:", "Speichern fehlgeschlagen:", "Enregistrement impossible :",
      "No se pudo guardar:", "Falha ao guardar:", "Salvataggio non riuscito:", "Tallennus epäonnistui:",
      "A mentés nem sikerült:", "Kaydedilemedi:"}},
    // TryAgain
    {{"opnieuw", "try again", "wiederholen", "réessayer", "reintentar", "repetir", "riprova", "uudelleen",
      "újra", "tekrar"}},
    // BoxNoPermission
    {{"De %1 is aangesloten maar mag door deze gebruiker niet geopend worden (geen toegang). Installeer de "
      "udev-regel 70-klv820.rules (vendor feff, producten 0801 en 0802) en sluit de %1 opnieuw aan.",
      "The %1 is connected but may not be opened by this user (permission denied). Install the udev rule "
      "70-klv820.rules (vendor feff, products 0801 and 0802) and plug the %1 in again.",
      "Die %1 ist angeschlossen, darf von diesem Benutzer aber nicht geöffnet werden (Zugriff verweigert). "
      "Installieren Sie die udev-Regel 70-klv820.rules (Hersteller feff, Produkte 0801 und 0802) und stecken "
      "Sie die %1 neu ein.",
      "Le %1 est branché mais cet utilisateur ne peut pas l'ouvrir (permission refusée). Installez la règle "
      "udev 70-klv820.rules (fabricant feff, produits 0801 et 0802) et rebranchez le %1.",
      "El %1 está conectado pero este usuario no puede abrirlo (permiso denegado). Instale la regla udev "
      "70-klv820.rules (fabricante feff, productos 0801 y 0802) y vuelva a conectar el %1.",
      "O %1 está ligado mas este utilizador não o pode abrir (permissão negada). Instale a regra udev "
      "70-klv820.rules (fabricante feff, produtos 0801 e 0802) e volte a ligar o %1.",
      "Il %1 è collegato ma questo utente non può aprirlo (permesso negato). Installare la regola udev "
      "70-klv820.rules (produttore feff, prodotti 0801 e 0802) e ricollegare il %1.",
      "%1 on kytketty, mutta tämä käyttäjä ei saa avata sitä (ei oikeutta). Asenna udev-sääntö "
      "70-klv820.rules (valmistaja feff, tuotteet 0801 ja 0802) ja kytke %1 uudelleen.",
      "A %1 csatlakoztatva van, de ez a felhasználó nem nyithatja meg (hozzáférés megtagadva). Telepítse a "
      "70-klv820.rules udev-szabályt (gyártó feff, termékek 0801 és 0802), és csatlakoztassa újra: %1.",
      "%1 bagli, ancak bu kullanici onu açamaz (izin reddedildi). 70-klv820.rules udev kuralini kurun "
      "(üretici feff, ürünler 0801 ve 0802) ve %1 cihazini yeniden takin."}},
    // BoxOpenFailed
    {{"De %1 is aangesloten maar kon niet geopend worden: %2",
      "The %1 is connected but could not be opened: %2",
      "Die %1 ist angeschlossen, konnte aber nicht geöffnet werden: %2",
      "Le %1 est branché mais n'a pas pu être ouvert : %2", "El %1 está conectado pero no se pudo abrir: %2",
      "O %1 está ligado mas não foi possível abri-lo: %2",
      "Il %1 è collegato ma non è stato possibile aprirlo: %2",
      "%1 on kytketty, mutta sitä ei voitu avata: %2",
      "A %1 csatlakoztatva van, de nem sikerült megnyitni: %2", "%1 bagli, ancak açilamadi: %2"}},
    // CannotLoadPicture
    {{"Kan afbeelding \"%1\" niet laden: %2", "Cannot load picture \"%1\": %2",
      "Bild \"%1\" kann nicht geladen werden: %2", "Impossible de charger l'image \"%1\" : %2",
      "No se puede cargar la imagen \"%1\": %2", "Não é possível carregar a imagem \"%1\": %2",
      "Impossibile caricare l'immagine \"%1\": %2", "Kuvaa \"%1\" ei voi ladata: %2",
      "A(z) \"%1\" kép nem tölthetö be: %2", "\"%1\" resmi yüklenemiyor: %2"}},
    // DimUp, DimDown, Hour, Minute, EntriesAbove, EntriesBelow, Line, Clock
    {{"helderder", "dim up", "heller", "plus lumineux", "más brillo", "mais brilho", "più luce",
      "kirkkaammaksi", "világosabb", "daha parlak"}},
    {{"donkerder", "dim down", "dunkler", "moins lumineux", "menos brillo", "menos brilho", "meno luce",
      "himmeämmäksi", "sötétebb", "daha los"}},
    {{"uur", "hour", "Stunde", "heure", "hora", "hora", "ora", "tunti", "óra", "saat"}},
    {{"minuut", "minute", "Minute", "minute", "minuto", "minuto", "minuto", "minuutti", "perc", "dakika"}},
    {{"regels erboven", "entries above", "Einträge darüber", "entrées au-dessus", "entradas arriba",
      "entradas acima", "voci sopra", "rivit yllä", "sorok fent", "yukaridaki satirlar"}},
    {{"regels eronder", "entries below", "Einträge darunter", "entrées en dessous", "entradas abajo",
      "entradas abaixo", "voci sotto", "rivit alla", "sorok lent", "asagidaki satirlar"}},
    {{"regel %1", "line %1", "Zeile %1", "ligne %1", "línea %1", "linha %1", "riga %1", "rivi %1", "%1. sor",
      "satir %1"}},
    {{"klok", "clock", "Uhr", "horloge", "reloj", "relógio", "orologio", "kello", "óra", "saat"}},
};

static_assert(std::size(kMoreEntries) == MoreTextCount, "one row per MoreTextId");

constexpr const char* kLanguageNames[LanguageCount] = {"Nederlands", "English",   "Deutsch",  "Français",
                                                       "Español",    "Português", "Italiano", "Suomi",
                                                       "Magyar",     "Türkçe"};

}  // namespace

namespace {
int (*g_languageSource)() = nullptr;
}  // namespace

void SetTextLanguageSource(int (*source)()) { g_languageSource = source; }

QString GetText(TextId id) { return GetText(id, g_languageSource ? g_languageSource() : 1); }

QString GetText(TextId id, int language) { return QString::fromUtf8(Text(id, language)); }

QString LanguageName(int language) {
  if (language < 0 || language >= LanguageCount) return QString();
  return QString::fromUtf8(kLanguageNames[language]);
}

QString GetText(MoreTextId id) { return GetText(id, g_languageSource ? g_languageSource() : 1); }

QString GetText(MoreTextId id, int language) {
  const int row = static_cast<int>(id);
  if (row < 0 || row >= MoreTextCount) return QString();
  if (language < 0 || language >= LanguageCount) language = 1;
  return QString::fromUtf8(kMoreEntries[row].text[language]);
}
