<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="sv_SE">
<context>
    <name>AboutWindow</name>
    <message>
        <source>&lt;h2&gt;%1&lt;/h2&gt;&lt;p&gt;Version %2&lt;/p&gt;&lt;p&gt;Makes EAN-13, EAN-8, UPC-A, UPC-E, ISBN, SCC-14 and Code 39 barcodes with 2- and 5-digit supplements, and the labels, lists, bitmaps and TIFF files that carry them.&lt;/p&gt;&lt;p&gt;Bars are drawn by libzint; TIFF files are written by libtiff.&lt;/p&gt;</source>
        <translation>&lt;h2&gt;%1&lt;/h2&gt;&lt;p&gt;Version %2&lt;/p&gt;&lt;p&gt;Skapar streckkoder av typerna EAN-13, EAN-8, UPC-A, UPC-E, ISBN, SCC-14 och Code 39 med 2- och 5-siffriga tillägg, samt etiketter, listor, bitmappar och TIFF-filer med streckkoderna.&lt;/p&gt;&lt;p&gt;Streckkoderna ritas av libzint; TIFF-filer skrivs av libtiff.&lt;/p&gt;</translation>
    </message>
</context>
<context>
    <name>Artwork</name>
    <message>
        <source>There is no barcode to make artwork of.</source>
        <translation>Det finns ingen streckkod att göra original av.</translation>
    </message>
    <message>
        <source>The defined width of %1 mm gives an X-dimension of %2 mm, too small for artwork.</source>
        <translation>Den definierade bredden %1 mm ger en X-dimension på %2 mm, för liten för original.</translation>
    </message>
</context>
<context>
    <name>ArtworkOptions</name>
    <message>
        <source>The magnification must be from 80 to 200 %, not %1 %.</source>
        <translation>Förstoringen måste vara från 80 till 200 %, inte %1 %.</translation>
    </message>
    <message>
        <source>The X-dimension must be from 0.100 to 2.540 mm, not %1 mm.</source>
        <translation>X-dimensionen måste vara från 0,100 till 2,540 mm, inte %1 mm.</translation>
    </message>
    <message>
        <source>The bar width reduction must be from 0 to 0.100 mm, not %1 mm.</source>
        <translation>Streckbreddsreduktionen måste vara från 0 till 0,100 mm, inte %1 mm.</translation>
    </message>
    <message>
        <source>The bar width reduction of %1 mm would leave no bar: it must be smaller than the X-dimension of %2 mm.</source>
        <translation>En streckbreddsreduktion på %1 mm skulle inte lämna något streck kvar: den måste vara mindre än X-dimensionen %2 mm.</translation>
    </message>
</context>
<context>
    <name>BarcodeList</name>
    <message>
        <source>Product</source>
        <translation>Produkt</translation>
    </message>
    <message>
        <source>Barcode</source>
        <translation>Streckkod</translation>
    </message>
    <message>
        <source>Digit Sup.</source>
        <translation>Tillägg</translation>
    </message>
    <message>
        <source>Text</source>
        <translation>Text</translation>
    </message>
    <message>
        <source>Type</source>
        <translation>Typ</translation>
    </message>
</context>
<context>
    <name>BatchStop</name>
    <message>
        <source>You have pressed Escape (ESC), Do you want to stop ?</source>
        <translation>Du har tryckt på Escape (ESC). Vill du avbryta?</translation>
    </message>
    <message>
        <source>You have pressed Escape (Esc), Do you want to stop ?</source>
        <translation>Du har tryckt på Escape (Esc). Vill du avbryta?</translation>
    </message>
    <message>
        <source>Stop or Not</source>
        <translation>Avbryta eller fortsätta</translation>
    </message>
</context>
<context>
    <name>ColourMode</name>
    <message>
        <source>Change to 256 Colors</source>
        <translation>Byt till 256 färger</translation>
    </message>
    <message>
        <source>Error changing resolution! Returned: </source>
        <translation>Fel vid byte av upplösning! Returnerade: </translation>
    </message>
    <message>
        <source>Kelbrix can&apos;t change color depth automaticlly on your computer, you must reboot the system to change color depth.  Reboot now?</source>
        <translation>Kelbrix kan inte byta färgdjup automatiskt på din dator, du måste starta om systemet för att byta färgdjup.  Starta om nu?</translation>
    </message>
    <message>
        <source>You are about to change to 256 Color, Do you want to Continue ?</source>
        <translation>Du håller på att byta till 256 färger. Vill du fortsätta?</translation>
    </message>
    <message>
        <source>You are about to change to %1 Bit Color, Do you want to Continue ?</source>
        <translation>Du håller på att byta till %1 bitars färg. Vill du fortsätta?</translation>
    </message>
    <message>
        <source>Change to %1 Bit Colors</source>
        <translation>Byt till %1 bitars färger</translation>
    </message>
    <message>
        <source>To be able to save High Resolution TIFF images you must use 256 Colors, Change Resolution automaticlly ?</source>
        <translation>För att kunna spara TIFF-bilder med hög upplösning måste du använda 256 färger. Byta upplösning automatiskt?</translation>
    </message>
</context>
<context>
    <name>CommandLine</name>
    <message>
        <source>Makes retail barcodes and their labels. Without options it opens the main window.</source>
        <translation>Skapar streckkoder för detaljhandeln och deras etiketter. Utan flaggor öppnas huvudfönstret.</translation>
    </message>
    <message>
        <source>Runs one image converter command, prints its result code and opens no window.</source>
        <translation>Kör ett bildkonverteringskommando, skriver ut dess resultatkod och öppnar inget fönster.</translation>
    </message>
    <message>
        <source>A list file (.qz2, .qzl, .bar) or barcode image list (.rtf) to load when the window opens, as File &gt; Load does.</source>
        <translation>En listfil (.qz2, .qzl, .bar) eller bildlista med streckkoder (.rtf) som ska öppnas när fönstret öppnas, som Arkiv &gt; Öppna gör.</translation>
    </message>
    <message>
        <source>Writes a one-bit TIFF file of each record of the list file, opens no window and leaves the desktop clipboard alone. Prints each file written and a count; exits with 0 when every record was written. The files are those Save As makes, except that the TIFF window&apos;s Adjust width and height are not applied.</source>
        <translation>Skriver en enbits TIFF-fil för varje post i listfilen, öppnar inget fönster och lämnar skrivbordets Urklipp orört. Skriver ut varje skriven fil och ett antal; avslutar med 0 när alla poster har skrivits. Filerna är de som Spara som skapar, förutom att TIFF-fönstrets justering av bredd och höjd inte tillämpas.</translation>
    </message>
    <message>
        <source>Reads the rows of a CSV file (comma, semicolon or tab separated, UTF-8 or Windows-1252) with the checks of Add to List and writes the accepted ones as the list file --out, opening no window. Prints each refused row on standard error and exits with 1 if a row was refused. --export also takes a CSV file in place of a list file.</source>
        <translation>Läser raderna i en CSV-fil (avgränsade med komma, semikolon eller tabb, UTF-8 eller Windows-1252) med kontrollerna i Lägg till i listan och skriver de godkända som listfilen --out, utan att öppna något fönster. Skriver ut varje avvisad rad på standardfel och avslutar med 1 om en rad avvisades. --export tar också en CSV-fil i stället för en listfil.</translation>
    </message>
    <message>
        <source>With --export: the folder the TIFF files go to. With --import: the list file (.qz2) to write.</source>
        <translation>Med --export: mappen som TIFF-filerna hamnar i. Med --import: listfilen (.qz2) som ska skrivas.</translation>
    </message>
    <message>
        <source>With --import: the field of each column in order, such as product,barcode,supplement,text,type (an empty name skips a column; default: from the header row).</source>
        <translation>Med --import: fältet för varje kolumn i ordning, till exempel product,barcode,supplement,text,type (ett tomt namn hoppar över en kolumn; standard: från rubrikraden).</translation>
    </message>
    <message>
        <source>With --import: the type of rows that give none, such as &quot;EAN 13&quot;, E132 or &quot;Code 39&quot;.</source>
        <translation>Med --import: typen för rader som inte anger någon, till exempel &quot;EAN 13&quot;, E132 eller &quot;Code 39&quot;.</translation>
    </message>
    <message>
        <source>With --import: keep (default) or skip the rows whose product is already in the list.</source>
        <translation>Med --import: keep (behåll, standard) eller skip (hoppa över) raderna vars produkt redan finns i listan.</translation>
    </message>
    <message>
        <source>Prints the labels of the list file (or CSV file) onto label sheets in the PDF file --pdf, each record --copies times, opening no window. Prints each page written; a record whose label does not fit is named on standard error and left out.</source>
        <translation>Skriver ut listfilens (eller CSV-filens) etiketter på etikettark i PDF-filen --pdf, varje post --copies gånger, utan att öppna något fönster. Skriver ut varje skriven sida; en post vars etikett inte får plats nämns på standardfel och utelämnas.</translation>
    </message>
    <message>
        <source>With --sheet: the label sheet, by name or maker&apos;s product number (see --templates).</source>
        <translation>Med --sheet: etikettarket, efter namn eller tillverkarens produktnummer (se --templates).</translation>
    </message>
    <message>
        <source>With --sheet: the first label used on the first sheet, counted row by row (default 1).</source>
        <translation>Med --sheet: den första etiketten som används på det första arket, räknat rad för rad (standard 1).</translation>
    </message>
    <message>
        <source>Prints the label sheets the program knows, one a line.</source>
        <translation>Skriver ut de etikettark programmet känner till, ett per rad.</translation>
    </message>
    <message>
        <source>With --export: the resolution, 300 to 4800 dpi (default: as stored by the TIFF window). With --sheet: the printer&apos;s, whose dots the bars are made of (default 600).</source>
        <translation>Med --export: upplösningen, 300 till 4800 dpi (standard: som den sparats av TIFF-fönstret). Med --sheet: skrivarens, vars punkter strecken består av (standard 600).</translation>
    </message>
    <message>
        <source>With --export: none, huffman, g3 or g4.</source>
        <translation>Med --export: none, huffman, g3 eller g4.</translation>
    </message>
    <message>
        <source>With --export: files of each record; with --sheet: labels of each record; 1 to 999.</source>
        <translation>Med --export: filer för varje post; med --sheet: etiketter för varje post; 1 till 999.</translation>
    </message>
    <message>
        <source>With --export: black and white swapped.</source>
        <translation>Med --export: svart och vitt byter plats.</translation>
    </message>
    <message>
        <source>With --export: mirrored, h (left-right) or v (top-bottom).</source>
        <translation>Med --export: spegelvänd, h (vänster-höger) eller v (upp-ned).</translation>
    </message>
    <message>
        <source>With --export: turned clockwise by 90, 180 or 270 degrees.</source>
        <translation>Med --export: vriden medurs 90, 180 eller 270 grader.</translation>
    </message>
    <message>
        <source>With --export or --sheet: the records, such as 1,4-9 (default: all).</source>
        <translation>Med --export eller --sheet: posterna, till exempel 1,4-9 (standard: alla).</translation>
    </message>
    <message>
        <source>With --export: reads each file back and fails unless it scans to its record&apos;s digits.</source>
        <translation>Med --export: läser tillbaka varje fil och misslyckas om den inte läses av som postens siffror.</translation>
    </message>
    <message>
        <source>With --export: tif (default), or vector artwork of each record&apos;s label as svg, pdf or eps.</source>
        <translation>Med --export: tif (standard), eller vektororiginal av varje posts etikett som svg, pdf eller eps.</translation>
    </message>
    <message>
        <source>With --export and a vector format: the size of the EAN, UPC and ISBN symbols, 80 to 200 percent of the nominal X-dimension of 0.330 mm (default: as stored by the size window).</source>
        <translation>Med --export och ett vektorformat: storleken på EAN-, UPC- och ISBN-symbolerna, 80 till 200 procent av den nominella X-dimensionen 0,330 mm (standard: som storleksfönstret sparat den).</translation>
    </message>
    <message>
        <source>With --export and a vector format: the bar width reduction, 0 to 0.100 mm (default: as stored by the size window).</source>
        <translation>Med --export och ett vektorformat: streckbreddsreduktionen, 0 till 0,100 mm (standard: som storleksfönstret sparat den).</translation>
    </message>
    <message>
        <source>Checks GS1 data, element strings such as (01)09506000134352(17)271231 or a Digital Link URI: prints each application identifier with its title and verdict, the element string and the Digital Link URI. Exits with 0 for valid data and 1 otherwise; writes no file.</source>
        <translation>Kontrollerar GS1-data, elementsträngar som (01)09506000134352(17)271231 eller en Digital Link-URI: skriver ut varje applikationsidentifierare med titel och utlåtande, elementsträngen och Digital Link-URI:n. Avslutar med 0 för giltiga data och 1 annars; skriver ingen fil.</translation>
    </message>
    <message>
        <source>With --symbol: the 2D symbol beside the linear one (default: alone).</source>
        <translation>Med --symbol: 2D-symbolen bredvid den linjära (standard: ensam).</translation>
    </message>
    <message>
        <source>With --symbol: every label gets its own serial number (21), from this number on.</source>
        <translation>Med --symbol: varje etikett får ett eget serienummer (21), från detta nummer och framåt.</translation>
    </message>
    <message>
        <source>With --symbol dl-qr or dl-datamatrix: the domain of the Digital Link URI (default: https://id.gs1.org).</source>
        <translation>Med --symbol dl-qr eller dl-datamatrix: domänen för Digital Link-URI:n (standard: https://id.gs1.org).</translation>
    </message>
    <message>
        <source>--sscc-log needs the CSV file to write</source>
        <translation>--sscc-log behöver CSV-filen som ska skrivas</translation>
    </message>
    <message>
        <source>With --export or --sheet: each label carries a 2D symbol: a GS1 DataMatrix, a QR Code with a GS1 Digital Link URI or a Data Matrix with one. It holds the record&apos;s GTIN and the data of --ai.</source>
        <translation>Med --export eller --sheet: varje etikett får en 2D-symbol: en GS1 DataMatrix, en QR-kod med en GS1 Digital Link-URI eller en Data Matrix med en. Den bär postens GTIN och data från --ai.</translation>
    </message>
    <message>
        <source>Takes the next SSCCs (AI 00) of the company prefix --sscc-prefix and the extension digit --extension and prints the 18 digits of each, without the (00), one a line. They are counted beside the settings and logged before they are printed, so no SSCC is given out twice, even by programs running at once or one stopped halfway. Exits with 0, or with 1 when none can be taken (the reason on standard error).</source>
        <translation>Tar nästa SSCC (AI 00) för företagsprefixet --sscc-prefix och tilläggssiffran --extension och skriver ut de 18 siffrorna för var och en, utan (00), en per rad. De räknas bredvid inställningarna och loggas innan de skrivs ut, så ingen SSCC delas ut två gånger, inte ens av program som körs samtidigt eller ett som stoppas halvvägs. Avslutar med 0, eller med 1 när ingen kan tas (orsaken på standardfel).</translation>
    </message>
    <message>
        <source>With --sscc-take: how many SSCCs, 1 to 1000000 (default 1).</source>
        <translation>Med --sscc-take: hur många SSCC, 1 till 1000000 (standard 1).</translation>
    </message>
    <message>
        <source>Writes the log of every SSCC taken as a CSV file: the time, the SSCC and what it was for, semicolon separated.</source>
        <translation>Skriver loggen över varje SSCC som tagits som en CSV-fil: tiden, SSCC:n och vad den var till för, semikolonseparerat.</translation>
    </message>
    <message>
        <source>--%1 goes with --sscc-take</source>
        <translation>--%1 hör till --sscc-take</translation>
    </message>
    <message>
        <source>--sscc-take needs --sscc-prefix and --extension</source>
        <translation>--sscc-take behöver --sscc-prefix och --extension</translation>
    </message>
    <message>
        <source>--count takes a whole number from 1 to %1, not &quot;%2&quot;</source>
        <translation>--count tar ett heltal från 1 till %1, inte &quot;%2&quot;</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is the SSCC store itself; the CSV file goes to another file.</source>
        <translation>&quot;%1&quot; är själva SSCC-lagret; CSV-filen ska till en annan fil.</translation>
    </message>
    <message>
        <source>1 line of the log &quot;%2&quot; is cut short or damaged and left out.</source>
        <translation>1 rad i loggen &quot;%2&quot; är avkortad eller skadad och utelämnas.</translation>
    </message>
    <message>
        <source>%1 lines of the log &quot;%2&quot; are cut short or damaged and left out.</source>
        <translation>%1 rader i loggen &quot;%2&quot; är avkortade eller skadade och utelämnas.</translation>
    </message>
    <message>
        <source>%1 SSCCs written to %2</source>
        <translation>%1 SSCC skrivna till %2</translation>
    </message>
    <message>
        <source>With --sheet or --logistic-label: the PDF file to write.</source>
        <translation>Med --sheet eller --logistic-label: PDF-filen som ska skrivas.</translation>
    </message>
    <message>
        <source>With --export or --sheet: the bearer bars of SCC-14 symbols, 5 modules thick: none, top-bottom (a bar above and below) or frame (a box around the quiet zones) (default: as stored by the size window).</source>
        <translation>Med --export eller --sheet: bärlisterna för SCC-14-symboler, 5 moduler tjocka: none (inga), top-bottom (en list över och under) eller frame (en ram runt frizonerna) (standard: som storleksfönstret sparat).</translation>
    </message>
    <message>
        <source>With --symbol or --logistic-label: one application identifier and its value, such as 10=ABC123 or 17=271231; give it once for each.</source>
        <translation>Med --symbol eller --logistic-label: en applikationsidentifierare och dess värde, som 10=ABC123 eller 17=271231; ange den en gång för varje.</translation>
    </message>
    <message>
        <source>With --sscc-take or --logistic-label: the GS1 company prefix, 6 to 11 digits.</source>
        <translation>Med --sscc-take eller --logistic-label: GS1-företagsprefixet, 6 till 11 siffror.</translation>
    </message>
    <message>
        <source>With --sscc-take or --logistic-label: the extension digit, 0 to 9, that each SSCC begins with.</source>
        <translation>Med --sscc-take eller --logistic-label: tilläggssiffran, 0 till 9, som varje SSCC börjar med.</translation>
    </message>
    <message>
        <source>With --sscc-take or --logistic-label: what the SSCCs are for, logged with each, such as a GTIN or &quot;pallet {n} of 10&quot; ({n}: the SSCC&apos;s place in the take).</source>
        <translation>Med --sscc-take eller --logistic-label: vad SSCC:erna är till för, loggat med var och en, till exempel ett GTIN eller &quot;pall {n} av 10&quot; ({n}: SSCC:ns plats i uttaget).</translation>
    </message>
    <message>
        <source>Writes GS1 logistic labels into the PDF file --pdf, one a pallet, opening no window: the supplier block (and customer and carrier blocks) of the Logistic Label window&apos;s settings, the data of --ai with their titles, and GS1-128 symbols, the SSCC&apos;s lowest. The SSCCs come from --sscc-prefix and --extension, one a pallet, or from --ai 00=SSCC for one label. Prints each SSCC used; exits with 0, or with 1 when the labels could not be made.</source>
        <translation>Skriver GS1-logistiketiketter i PDF-filen --pdf, en per pall, utan att öppna något fönster: leverantörsblocket (och kund- och transportörsblocken) från fönstret Logistiketikettens inställningar, data från --ai med sina rubriker, och GS1-128-symboler, SSCC:ns lägst. SSCC:erna tas från --sscc-prefix och --extension, en per pall, eller från --ai 00=SSCC för en etikett. Skriver ut varje SSCC som används; avslutar med 0, eller med 1 när etiketterna inte kunde göras.</translation>
    </message>
    <message>
        <source>With --logistic-label: how many pallets, each with its own SSCC (default 1).</source>
        <translation>Med --logistic-label: hur många pallar, var och en med sin egen SSCC (standard 1).</translation>
    </message>
    <message>
        <source>With --logistic-label: the label, a6 (105 x 148 mm, the default), a5 (148 x 210 mm) or 4x6 (4 x 6 in).</source>
        <translation>Med --logistic-label: etiketten, a6 (105 x 148 mm, standard), a5 (148 x 210 mm) eller 4x6 (4 x 6 tum).</translation>
    </message>
    <message>
        <source>With --logistic-label and --size a6: four labels to an A4 page, two across, two down.</source>
        <translation>Med --logistic-label och --size a6: fyra etiketter på en A4-sida, två i bredd, två i höjd.</translation>
    </message>
    <message>
        <source>--%1 goes with --logistic-label</source>
        <translation>--%1 hör till --logistic-label</translation>
    </message>
    <message>
        <source>--ai takes an application identifier, = and its value, such as 10=ABC123, not &quot;%1&quot;</source>
        <translation>--ai tar en applikationsidentifierare, = och dess värde, som 10=ABC123, inte &quot;%1&quot;</translation>
    </message>
    <message>
        <source>--logistic-label needs either --sscc-prefix and --extension, or --ai 00=SSCC</source>
        <translation>--logistic-label behöver antingen --sscc-prefix och --extension, eller --ai 00=SSCC</translation>
    </message>
    <message>
        <source>--logistic-label needs both --sscc-prefix and --extension</source>
        <translation>--logistic-label behöver både --sscc-prefix och --extension</translation>
    </message>
    <message>
        <source>--pallets takes a whole number from 1 to %1, not &quot;%2&quot;</source>
        <translation>--pallets tar ett heltal från 1 till %1, inte &quot;%2&quot;</translation>
    </message>
    <message>
        <source>--ai 00 gives one SSCC, for one pallet; for more, take them with --sscc-prefix and --extension</source>
        <translation>--ai 00 ger en SSCC, för en pall; för fler, ta dem med --sscc-prefix och --extension</translation>
    </message>
    <message>
        <source>--size takes a6, a5 or 4x6, not &quot;%1&quot;</source>
        <translation>--size tar a6, a5 eller 4x6, inte &quot;%1&quot;</translation>
    </message>
    <message>
        <source>--a4-sheet takes A6 labels only</source>
        <translation>--a4-sheet tar bara A6-etiketter</translation>
    </message>
    <message>
        <source>--logistic-label needs --pdf and the PDF file to write</source>
        <translation>--logistic-label behöver --pdf och PDF-filen som ska skrivas</translation>
    </message>
    <message>
        <source>logistic label, pallet {n} of %1</source>
        <translation>logistiketikett, pall {n} av %1</translation>
    </message>
    <message>
        <source>The SSCCs taken for it stay taken: %1</source>
        <translation>SSCC:erna som togs för den förblir tagna: %1</translation>
    </message>
</context>
<context>
    <name>ConverterError</name>
    <message>
        <source>Disk Full Error</source>
        <translation>Fel: disken är full</translation>
    </message>
    <message>
        <source>File Already Exists</source>
        <translation>Filen finns redan</translation>
    </message>
    <message>
        <source>Error Opening file</source>
        <translation>Fel vid öppning av fil</translation>
    </message>
    <message>
        <source>Error Deleting File</source>
        <translation>Fel vid borttagning av fil</translation>
    </message>
    <message>
        <source>Error Locking DIB when Writing</source>
        <translation>Fel vid låsning av DIB vid skrivning</translation>
    </message>
    <message>
        <source>Unsupported Image Format</source>
        <translation>Bildformatet stöds inte</translation>
    </message>
    <message>
        <source>Error Reading from File</source>
        <translation>Fel vid läsning från fil</translation>
    </message>
    <message>
        <source>File Not Found</source>
        <translation>Filen hittades inte</translation>
    </message>
    <message>
        <source>Insufficient Memory</source>
        <translation>Otillräckligt minne</translation>
    </message>
    <message>
        <source>Internal Error (unknown errors)</source>
        <translation>Internt fel (okända fel)</translation>
    </message>
    <message>
        <source>Error Printing Image</source>
        <translation>Fel vid utskrift av bild</translation>
    </message>
    <message>
        <source>Printer does not support Bitmaps</source>
        <translation>Skrivaren stöder inte bitmappar</translation>
    </message>
    <message>
        <source>Missing DIL File</source>
        <translation>DIL-fil saknas</translation>
    </message>
    <message>
        <source>Missing DEL File</source>
        <translation>DEL-fil saknas</translation>
    </message>
    <message>
        <source>Unsupported Export Format</source>
        <translation>Exportformatet stöds inte</translation>
    </message>
    <message>
        <source>Error Writing Data to Disk.</source>
        <translation>Fel vid skrivning av data till disk.</translation>
    </message>
    <message>
        <source>Internal Error Writing Image Data</source>
        <translation>Internt fel vid skrivning av bilddata</translation>
    </message>
    <message>
        <source>Bad Dynamic Export Library</source>
        <translation>Felaktigt dynamiskt exportbibliotek</translation>
    </message>
    <message>
        <source>Missing Parameter Element(s)</source>
        <translation>Parameterelement saknas</translation>
    </message>
    <message>
        <source>Unknown Error, Error Code=</source>
        <translation>Okänt fel, felkod=</translation>
    </message>
    <message>
        <source>TIFF Error</source>
        <translation>TIFF-fel</translation>
    </message>
    <message>
        <source>Unspecified Internal Error</source>
        <translation>Ospecificerat internt fel</translation>
    </message>
    <message>
        <source>Can&apos;t make a %1 dpi file. But you can try again, but the size might not be right, continue ?</source>
        <translation>Det går inte att skapa en %1 dpi-fil. Du kan försöka igen, men storleken kanske inte blir rätt. Fortsätta?</translation>
    </message>
    <message>
        <source>To big a Tiff</source>
        <translation>För stor TIFF</translation>
    </message>
</context>
<context>
    <name>CsvCommands</name>
    <message>
        <source>CSV file (*.csv);;Text file (*.txt);;All files (*)</source>
        <translation>CSV-fil (*.csv);;Textfil (*.txt);;Alla filer (*)</translation>
    </message>
    <message>
        <source>Import</source>
        <translation>Importera</translation>
    </message>
    <message>
        <source>%1 holds no rows.</source>
        <translation>%1 innehåller inga rader.</translation>
    </message>
    <message>
        <source>%1 rows of the file name a product that is already in the list or in an earlier row.</source>
        <translation>%1 rader i filen anger en produkt som redan finns i listan eller på en tidigare rad.</translation>
    </message>
    <message>
        <source>Keep all</source>
        <translation>Behåll alla</translation>
    </message>
    <message>
        <source>Skip all</source>
        <translation>Hoppa över alla</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Avbryt</translation>
    </message>
    <message>
        <source>Export</source>
        <translation>Exportera</translation>
    </message>
    <message>
        <source>%1 of the %2 numbers are already in the list: nothing was added.</source>
        <translation>%1 av de %2 numren finns redan i listan: inget lades till.</translation>
    </message>
    <message>
        <source>The list is full: %1 of the %2 numbers were added.</source>
        <translation>Listan är full: %1 av de %2 numren lades till.</translation>
    </message>
    <message>
        <source>The list holds GS1 data (batch, expiry, serial...), which QZ2 list files do not keep. A CSV file keeps it.</source>
        <translation>Listan innehåller GS1-data (batch, utgångsdatum, serienummer...), som QZ2-listfiler inte sparar. En CSV-fil sparar dem.</translation>
    </message>
    <message>
        <source>Save as CSV</source>
        <translation>Spara som CSV</translation>
    </message>
    <message>
        <source>Save as QZ2</source>
        <translation>Spara som QZ2</translation>
    </message>
</context>
<context>
    <name>CsvImport</name>
    <message>
        <source>The file holds no rows.</source>
        <translation>Filen innehåller inga rader.</translation>
    </message>
</context>
<context>
    <name>CsvMappingDialog</name>
    <message>
        <source>(none)</source>
        <translation>(ingen)</translation>
    </message>
    <message>
        <source>Column %1</source>
        <translation>Kolumn %1</translation>
    </message>
    <message>
        <source>Import</source>
        <translation>Importera</translation>
    </message>
    <message>
        <source>EAN 13 or EAN 8, by length</source>
        <translation>EAN 13 eller EAN 8, efter längd</translation>
    </message>
    <message>
        <source>&amp;Product:</source>
        <translation>&amp;Produkt:</translation>
    </message>
    <message>
        <source>&amp;Barcode:</source>
        <translation>&amp;Streckkod:</translation>
    </message>
    <message>
        <source>&amp;Supplement:</source>
        <translation>T&amp;illägg:</translation>
    </message>
    <message>
        <source>&amp;Text:</source>
        <translation>&amp;Text:</translation>
    </message>
    <message>
        <source>T&amp;ype:</source>
        <translation>T&amp;yp:</translation>
    </message>
    <message>
        <source>Type of rows &amp;without one:</source>
        <translation>Typ för rader &amp;utan typ:</translation>
    </message>
    <message>
        <source>The first rows of the file. Choose the column of each field:</source>
        <translation>De första raderna i filen. Välj kolumn för varje fält:</translation>
    </message>
    <message>
        <source>&amp;GS1 data from %1</source>
        <translation>&amp;GS1-data från %1</translation>
    </message>
</context>
<context>
    <name>CsvReportDialog</name>
    <message>
        <source>Import</source>
        <translation>Importera</translation>
    </message>
    <message>
        <source>&amp;Import</source>
        <translation>&amp;Importera</translation>
    </message>
    <message>
        <source>Save &amp;Report...</source>
        <translation>Spara &amp;rapport...</translation>
    </message>
    <message>
        <source>Import the accepted rows? Cancel imports nothing.</source>
        <translation>Importera de godkända raderna? Avbryt importerar ingenting.</translation>
    </message>
    <message>
        <source>Save Report</source>
        <translation>Spara rapport</translation>
    </message>
    <message>
        <source>Text file (*.txt);;All files (*)</source>
        <translation>Textfil (*.txt);;Alla filer (*)</translation>
    </message>
</context>
<context>
    <name>Form1</name>
    <message>
        <source>Press F1 for Help</source>
        <translation>Tryck F1 för hjälp</translation>
    </message>
    <message>
        <source>&amp;%1Help</source>
        <translation>&amp;%1Hjälp</translation>
    </message>
    <message>
        <source>About %1</source>
        <translation>Om %1</translation>
    </message>
    <message>
        <source>Press F1 to get help.</source>
        <translation>Tryck F1 för att få hjälp.</translation>
    </message>
    <message>
        <source>Barcode: Enter your digits to the right.</source>
        <translation>Streckkod: Skriv in dina siffror till höger.</translation>
    </message>
    <message>
        <source>Product: Enter the information to the right.</source>
        <translation>Produkt: Skriv in informationen till höger.</translation>
    </message>
    <message>
        <source>Free Text: Enter Free Text to the right.</source>
        <translation>Fritext: Skriv in fritext till höger.</translation>
    </message>
    <message>
        <source>Copies: Fill in the number of copies you want to the left. (max 50)</source>
        <translation>Kopior: Fyll i antalet kopior du vill ha till vänster. (max 50)</translation>
    </message>
    <message>
        <source>Barcode: Enter your barcode or ISBN digits here.</source>
        <translation>Streckkod: Skriv in streckkodens eller ISBN-numrets siffror här.</translation>
    </message>
    <message>
        <source>Enter your Digit Supplement here.</source>
        <translation>Skriv in dina tilläggssiffror här.</translation>
    </message>
    <message>
        <source>Product: Enter your Product Information here.</source>
        <translation>Produkt: Skriv in din produktinformation här.</translation>
    </message>
    <message>
        <source>Free Text: Enter your information here.</source>
        <translation>Fritext: Skriv in din information här.</translation>
    </message>
    <message>
        <source>Fill in the number of copies you want (max 50).</source>
        <translation>Fyll i antalet kopior du vill ha (max 50).</translation>
    </message>
    <message>
        <source>Click here to make the barcode, if it&apos;s grayed out you have to few digits or the wrong barcode.</source>
        <translation>Klicka här för att skapa streckkoden. Om knappen är gråtonad har du för få siffror eller fel streckkod.</translation>
    </message>
    <message>
        <source>Clear: Clears all input in Product, Barcode, Free Text.</source>
        <translation>Rensa: Rensar allt som skrivits in i Produkt, Streckkod och Fritext.</translation>
    </message>
    <message>
        <source>Add to List: Adds the Barcode information to the List.</source>
        <translation>Lägg till i listan: Lägger till streckkodens information i listan.</translation>
    </message>
    <message>
        <source>Click on &gt;&gt; to move the Barcode Image to the Barcode Image List.</source>
        <translation>Klicka på &gt;&gt; för att flytta streckkodsbilden till bildlistan med streckkoder.</translation>
    </message>
    <message>
        <source>Check it if you want to use the defined barcode size you have made.</source>
        <translation>Markera om du vill använda den streckkodsstorlek du har definierat.</translation>
    </message>
    <message>
        <source>Your Barcode Picture.</source>
        <translation>Din streckkodsbild.</translation>
    </message>
    <message>
        <source>When you click on Add to List all information is stored here.</source>
        <translation>När du klickar på Lägg till i listan sparas all information här.</translation>
    </message>
    <message>
        <source>Use Check Character for Code 39: Check to add Check Character (Modulus 43)</source>
        <translation>Använd kontrolltecken för Code 39: Markera för att lägga till kontrolltecken (modulus 43)</translation>
    </message>
    <message>
        <source>EAN 13: Needs 13 digits, fill in 12 digits the last one will be added automaticlly.</source>
        <translation>EAN 13: Kräver 13 siffror. Fyll i 12 siffror, den sista läggs till automatiskt.</translation>
    </message>
    <message>
        <source>EAN 8: Needs 8 digits, fill in 7 digits the last one will be added automaticlly</source>
        <translation>EAN 8: Kräver 8 siffror. Fyll i 7 siffror, den sista läggs till automatiskt</translation>
    </message>
    <message>
        <source>UPC A: Needs 12 digits, fill in 11 digits the last one will be added automaticlly.</source>
        <translation>UPC A: Kräver 12 siffror. Fyll i 11 siffror, den sista läggs till automatiskt.</translation>
    </message>
    <message>
        <source>UPC E: Needs 8 digits, fill in 7 digits the last one will be added automaticlly.</source>
        <translation>UPC E: Kräver 8 siffror. Fyll i 7 siffror, den sista läggs till automatiskt.</translation>
    </message>
    <message>
        <source>ISBN: Needs 10 digits and 3 - (minus) e.g 87-7012-196-6.</source>
        <translation>ISBN: Kräver 10 siffror och 3 - (minustecken), t.ex. 87-7012-196-6.</translation>
    </message>
    <message>
        <source>SCC-14: Needs 14 digits, fill in 13 digits the last one will be added automaticlly.</source>
        <translation>SCC-14: Kräver 14 siffror. Fyll i 13 siffror, den sista läggs till automatiskt.</translation>
    </message>
    <message>
        <source>Code 39 or Code 3 of 9: Enter any Character and digits</source>
        <translation>Code 39 eller Code 3 of 9: Skriv in valfria tecken och siffror</translation>
    </message>
    <message>
        <source>No Supplement. Add No digits to make it.</source>
        <translation>Inget tillägg. Inga tilläggssiffror läggs till.</translation>
    </message>
    <message>
        <source>2 Digit Supplement. Add additonal 2 digits to your barcode to make it.</source>
        <translation>2-siffrigt tillägg. Lägg till ytterligare 2 siffror till din streckkod.</translation>
    </message>
    <message>
        <source>5 Digit Supplement. Add additonal 5 digits to your barcode to make it.</source>
        <translation>5-siffrigt tillägg. Lägg till ytterligare 5 siffror till din streckkod.</translation>
    </message>
    <message>
        <source>Include the Product information on barcode label.</source>
        <translation>Ta med produktinformationen på streckkodsetiketten.</translation>
    </message>
    <message>
        <source>Don&apos;t Include the Product information on barcode label.</source>
        <translation>Ta inte med produktinformationen på streckkodsetiketten.</translation>
    </message>
    <message>
        <source> - 2 Digits</source>
        <translation> - 2 siffror</translation>
    </message>
    <message>
        <source> - 5 Digits</source>
        <translation> - 5 siffror</translation>
    </message>
    <message>
        <source>The language could not be saved.</source>
        <translation>Språket kunde inte sparas.</translation>
    </message>
    <message>
        <source>&amp;File</source>
        <translation>&amp;Arkiv</translation>
    </message>
    <message>
        <source>&amp;Load</source>
        <translation>&amp;Öppna</translation>
    </message>
    <message>
        <source>&amp;Save</source>
        <translation>&amp;Spara</translation>
    </message>
    <message>
        <source>Barcode (*.bmp)</source>
        <translation>Streckkod (*.bmp)</translation>
    </message>
    <message>
        <source>List</source>
        <translation>Lista</translation>
    </message>
    <message>
        <source>Save &amp;As</source>
        <translation>Spara so&amp;m</translation>
    </message>
    <message>
        <source>Print &amp;Barcodes Image List</source>
        <translation>Skriv ut &amp;bildlista med streckkoder</translation>
    </message>
    <message>
        <source>&amp;Print List</source>
        <translation>Skriv &amp;ut lista</translation>
    </message>
    <message>
        <source>&amp;Exit</source>
        <translation>&amp;Avsluta</translation>
    </message>
    <message>
        <source>&amp;Edit</source>
        <translation>&amp;Redigera</translation>
    </message>
    <message>
        <source>&amp;Find</source>
        <translation>S&amp;ök</translation>
    </message>
    <message>
        <source>Clear &amp;List</source>
        <translation>Töm &amp;listan</translation>
    </message>
    <message>
        <source>&amp;Remove Item</source>
        <translation>&amp;Ta bort post</translation>
    </message>
    <message>
        <source>&amp;Copy Barcode</source>
        <translation>&amp;Kopiera streckkod</translation>
    </message>
    <message>
        <source>Clear &amp;Barcodes Image List</source>
        <translation>Töm &amp;bildlistan med streckkoder</translation>
    </message>
    <message>
        <source>Remove Barcode Digits</source>
        <translation>Ta bort streckkodens siffror</translation>
    </message>
    <message>
        <source>Yes</source>
        <translation>Ja</translation>
    </message>
    <message>
        <source>No</source>
        <translation>Nej</translation>
    </message>
    <message>
        <source>&amp;TIFF Parameters</source>
        <translation>TIFF-&amp;parametrar</translation>
    </message>
    <message>
        <source>Barcode &amp;Size</source>
        <translation>St&amp;reckkodsstorlek</translation>
    </message>
    <message>
        <source>&amp;Language</source>
        <translation>&amp;Språk</translation>
    </message>
    <message>
        <source>English</source>
        <translation>English</translation>
    </message>
    <message>
        <source>Svenska</source>
        <translation>Svenska</translation>
    </message>
    <message>
        <source>Spara/Save</source>
        <translation>Spara/Save</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>&amp;Hjälp</translation>
    </message>
    <message>
        <source>Goto HomePage</source>
        <translation>Gå till hemsidan</translation>
    </message>
    <message>
        <source>About</source>
        <translation>Om</translation>
    </message>
    <message>
        <source>Wiz</source>
        <translation>Guide</translation>
    </message>
    <message>
        <source>WizStart</source>
        <translation>Starta guiden</translation>
    </message>
    <message>
        <source>Copyit</source>
        <translation>Kopiera</translation>
    </message>
    <message>
        <source>Copy</source>
        <translation>Kopiera</translation>
    </message>
    <message>
        <source>PasteIMG</source>
        <translation>Klistra in</translation>
    </message>
    <message>
        <source>Paste Barcode</source>
        <translation>Klistra in streckkod</translation>
    </message>
    <message>
        <source>Toolbar</source>
        <translation>Verktygsfält</translation>
    </message>
    <message>
        <source>New</source>
        <translation>Ny</translation>
    </message>
    <message>
        <source>Open</source>
        <translation>Öppna</translation>
    </message>
    <message>
        <source>Load a file</source>
        <translation>Öppna en fil</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>Spara</translation>
    </message>
    <message>
        <source>Save as</source>
        <translation>Spara som</translation>
    </message>
    <message>
        <source>Print</source>
        <translation>Skriv ut</translation>
    </message>
    <message>
        <source>Print Barcode Image List</source>
        <translation>Skriv ut bildlista med streckkoder</translation>
    </message>
    <message>
        <source>Find</source>
        <translation>Sök</translation>
    </message>
    <message>
        <source>BarSize</source>
        <translation>Storlek</translation>
    </message>
    <message>
        <source>Change Barcode/Label Size</source>
        <translation>Ändra storlek på streckkod/etikett</translation>
    </message>
    <message>
        <source>TIF</source>
        <translation>TIFF</translation>
    </message>
    <message>
        <source>Change TIFF Parameters</source>
        <translation>Ändra TIFF-parametrar</translation>
    </message>
    <message>
        <source>Help</source>
        <translation>Hjälp</translation>
    </message>
    <message>
        <source>Help (F1)</source>
        <translation>Hjälp (F1)</translation>
    </message>
    <message>
        <source>All information will be Lost so please save your data, Continue ?</source>
        <translation>All information går förlorad, så spara dina data först. Vill du fortsätta?</translation>
    </message>
    <message>
        <source>Do you want to Quit ?.</source>
        <translation>Vill du avsluta?</translation>
    </message>
    <message>
        <source>Exit.</source>
        <translation>Avsluta.</translation>
    </message>
    <message>
        <source>Barcode</source>
        <translation>Streckkod</translation>
    </message>
    <message>
        <source>ISBN Code</source>
        <translation>ISBN-kod</translation>
    </message>
    <message>
        <source>&amp;Use Defined Barcode</source>
        <translation>Använd &amp;definierad streckkodsstorlek</translation>
    </message>
    <message>
        <source>Digit Supplementals</source>
        <translation>Tilläggssiffror</translation>
    </message>
    <message>
        <source>&amp;No Supplement</source>
        <translation>In&amp;get tillägg</translation>
    </message>
    <message>
        <source>&amp;2 Digits</source>
        <translation>&amp;2 siffror</translation>
    </message>
    <message>
        <source>&amp;5 Digits</source>
        <translation>&amp;5 siffror</translation>
    </message>
    <message>
        <source>Product line</source>
        <translation>Produktrad</translation>
    </message>
    <message>
        <source>&amp;Text</source>
        <translation>&amp;Text</translation>
    </message>
    <message>
        <source>&amp;Blank</source>
        <translation>T&amp;om</translation>
    </message>
    <message>
        <source>Product</source>
        <translation>Produkt</translation>
    </message>
    <message>
        <source>Free Text</source>
        <translation>Fritext</translation>
    </message>
    <message>
        <source>Copies</source>
        <translation>Kopior</translation>
    </message>
    <message>
        <source>A&amp;dd Check character</source>
        <translation>Lägg till &amp;kontrolltecken</translation>
    </message>
    <message>
        <source>&amp;Make Code</source>
        <translation>Ska&amp;pa kod</translation>
    </message>
    <message>
        <source>&amp;Add to List</source>
        <translation>&amp;Lägg till i listan</translation>
    </message>
    <message>
        <source>&amp;Clear</source>
        <translation>Re&amp;nsa</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Avbryt</translation>
    </message>
    <message>
        <source>&amp;Import...</source>
        <translation>&amp;Importera...</translation>
    </message>
    <message>
        <source>E&amp;xport...</source>
        <translation>E&amp;xportera...</translation>
    </message>
    <message>
        <source>&amp;Number Sequence...</source>
        <translation>&amp;Nummerserie...</translation>
    </message>
    <message>
        <source>This is the Barcode Image List (Saves as *.RTF, can be loaded in to MS Word)</source>
        <translation>Detta är bildlistan med streckkoder (sparas som *.RTF, kan öppnas i MS Word)</translation>
    </message>
    <message>
        <source>Print &amp;Labels...</source>
        <translation>Skriv ut &amp;etiketter...</translation>
    </message>
    <message>
        <source>Labels</source>
        <translation>Etiketter</translation>
    </message>
    <message>
        <source>Print Labels on Label Sheets</source>
        <translation>Skriv ut etiketter på etikettark</translation>
    </message>
    <message>
        <source>Print Pre&amp;view...</source>
        <translation>&amp;Förhandsgranska utskrift...</translation>
    </message>
    <message>
        <source>Barcodes Image List Previe&amp;w...</source>
        <translation>Förhands&amp;granska bildlista med streckkoder...</translation>
    </message>
    <message>
        <source>Shows whether your barcode scans: it is read back after each Make Code.</source>
        <translation>Visar om din streckkod går att läsa: den läses tillbaka efter varje Skapa kod.</translation>
    </message>
    <message>
        <source>Checking…</source>
        <translation>Kontrollerar…</translation>
    </message>
    <message>
        <source>You can make max 50 copies at a time</source>
        <translation>Du kan göra högst 50 kopior åt gången</translation>
    </message>
    <message>
        <source>ISBN code is wrong to few deviders (-), you should have 3</source>
        <translation>ISBN-koden är fel, för få bindestreck (-), det ska vara 3</translation>
    </message>
    <message>
        <source>ISBN Devider Error.</source>
        <translation>Fel antal bindestreck i ISBN.</translation>
    </message>
    <message>
        <source>The ISBN code input is wrong, expected %1. Accept Input anyway ?</source>
        <translation>Den inmatade ISBN-koden är fel, förväntat %1. Godta inmatningen ändå?</translation>
    </message>
    <message>
        <source>ISBN Error</source>
        <translation>ISBN-fel</translation>
    </message>
    <message>
        <source>Saveing.... %1, Copy=%2</source>
        <translation>Sparar.... %1, kopia=%2</translation>
    </message>
    <message>
        <source>The product %1 exists in list, continue? </source>
        <translation>Produkten %1 finns redan i listan, fortsätta? </translation>
    </message>
    <message>
        <source>Keep Product ?.</source>
        <translation>Behåll produkten?</translation>
    </message>
    <message>
        <source>This number has been issued, please enter a different one</source>
        <translation>Det här numret har redan använts, ange ett annat</translation>
    </message>
    <message>
        <source>Barcode is the same.</source>
        <translation>Streckkoden är densamma.</translation>
    </message>
    <message>
        <source>No Item was selected, Select Item to remove.</source>
        <translation>Ingen post är markerad. Markera den post som ska tas bort.</translation>
    </message>
    <message>
        <source>Error</source>
        <translation>Fel</translation>
    </message>
    <message>
        <source>Remove:  Selected Item/Items.</source>
        <translation>Ta bort:  Markerad post/poster.</translation>
    </message>
    <message>
        <source>Remove Item</source>
        <translation>Ta bort post</translation>
    </message>
    <message>
        <source>Do you want to clear List ?</source>
        <translation>Vill du tömma listan?</translation>
    </message>
    <message>
        <source>Clear List.</source>
        <translation>Töm listan.</translation>
    </message>
    <message>
        <source>Load</source>
        <translation>Öppna</translation>
    </message>
    <message>
        <source>Your Barcode List isn&apos;t empty, do you want to merge files ?</source>
        <translation>Din streckkodslista är inte tom. Vill du slå ihop filerna?</translation>
    </message>
    <message>
        <source>Merge Files</source>
        <translation>Slå ihop filer</translation>
    </message>
    <message>
        <source>%1 records were read; the rest of %2 could not be read. </source>
        <translation>%1 poster lästes in; resten av %2 kunde inte läsas. </translation>
    </message>
    <message>
        <source>Save List</source>
        <translation>Spara lista</translation>
    </message>
    <message>
        <source>Save as %1 ?</source>
        <translation>Spara som %1?</translation>
    </message>
    <message>
        <source>Save List ?.</source>
        <translation>Spara listan?</translation>
    </message>
    <message>
        <source>Save As</source>
        <translation>Spara som</translation>
    </message>
    <message>
        <source>TIFF (*.TIF)</source>
        <translation>TIFF (*.TIF)</translation>
    </message>
    <message>
        <source>Windows Bitmap (*.BMP)</source>
        <translation>Windows Bitmap (*.BMP)</translation>
    </message>
    <message>
        <source>Save Barcode List (*.QZ2)</source>
        <translation>Spara streckkodslista (*.QZ2)</translation>
    </message>
    <message>
        <source>Save Barcode Images List (*.RTF)</source>
        <translation>Spara bildlista med streckkoder (*.RTF)</translation>
    </message>
    <message>
        <source>You must make a Barcode in order to save it as a BMP file.</source>
        <translation>Du måste skapa en streckkod innan du kan spara den som BMP-fil.</translation>
    </message>
    <message>
        <source>No Barcode BMP to Save</source>
        <translation>Ingen streckkod att spara som BMP</translation>
    </message>
    <message>
        <source>Now Saveing...%1 ,Copy %2</source>
        <translation>Sparar nu...%1 ,kopia %2</translation>
    </message>
    <message>
        <source>Save Barcode ?.</source>
        <translation>Spara streckkoden?</translation>
    </message>
    <message>
        <source>Your settings could not be saved.</source>
        <translation>Dina inställningar kunde inte sparas.</translation>
    </message>
    <message>
        <source>1 TIFF file written in %1</source>
        <translation>1 TIFF-fil skriven i %1</translation>
    </message>
    <message>
        <source>%1 TIFF files written in %2</source>
        <translation>%1 TIFF-filer skrivna i %2</translation>
    </message>
    <message>
        <source>; not exported: record %1</source>
        <translation>; inte exporterade: post %1</translation>
    </message>
    <message>
        <source>; the export was stopped</source>
        <translation>; exporten stoppades</translation>
    </message>
    <message>
        <source>; the export did not finish</source>
        <translation>; exporten slutfördes inte</translation>
    </message>
    <message>
        <source>Making a TIF file in %1 Bit color will corrupt the saved image, please use 256 colors, Do you want to Continue ?</source>
        <translation>Att skapa en TIF-fil i %1 bitars färg förstör den sparade bilden, använd 256 färger. Vill du fortsätta?</translation>
    </message>
    <message>
        <source>Wrong color depth</source>
        <translation>Fel färgdjup</translation>
    </message>
    <message>
        <source>Verify each file</source>
        <translation>Kontrollera varje fil</translation>
    </message>
    <message>
        <source>The UPC A number %1 can not be shown as UPC E: only UPC A numbers of number system 0 or 1 with enough zeros can be zero-suppressed. Make it as UPC A instead.</source>
        <translation>UPC A-numret %1 kan inte visas som UPC E: bara UPC A-nummer i nummersystem 0 eller 1 med tillräckligt många nollor kan nollundertryckas. Gör den som UPC A i stället.</translation>
    </message>
    <message>
        <source>The barcode was not made: %1</source>
        <translation>Streckkoden skapades inte: %1</translation>
    </message>
    <message>
        <source>You must have 10 digits and 3 Deviders ( - ) in your ISBN code! e.g 1-57169-006-9</source>
        <translation>Din ISBN-kod måste ha 10 siffror och 3 bindestreck ( - )! t.ex. 1-57169-006-9</translation>
    </message>
    <message>
        <source>Make the code first: the label does not show the barcode in the entry.</source>
        <translation>Skapa koden först: etiketten visar inte streckkoden i inmatningen.</translation>
    </message>
    <message>
        <source>Make Code</source>
        <translation>Skapa kod</translation>
    </message>
    <message>
        <source>Code 39 takes at most %1 characters, the check character included.</source>
        <translation>Code 39 rymmer högst %1 tecken, kontrolltecknet inräknat.</translation>
    </message>
    <message>
        <source>The list is locked while the export runs; Cancel or Esc stops it.</source>
        <translation>Listan är låst medan exporten pågår; Avbryt eller Esc stoppar den.</translation>
    </message>
    <message>
        <source>The picture could not be made small enough for the Barcode Image List; it was not added.</source>
        <translation>Bilden kunde inte göras tillräckligt liten för bildlistan med streckkoder; den lades inte till.</translation>
    </message>
    <message>
        <source>Barcode Image List</source>
        <translation>Bildlista med streckkoder</translation>
    </message>
    <message>
        <source>Nothing was saved: %1 does not end in .qz2, .rtf, .bmp, .tif, .svg, .pdf or .eps.</source>
        <translation>Ingenting sparades: %1 slutar inte på .qz2, .rtf, .bmp, .tif, .svg, .pdf eller .eps.</translation>
    </message>
    <message>
        <source>You must make a Barcode in order to save it as artwork.</source>
        <translation>Du måste skapa en streckkod för att kunna spara den som original.</translation>
    </message>
    <message>
        <source>&amp;GS1 Data...</source>
        <translation>&amp;GS1-data...</translation>
    </message>
    <message>
        <source>Labels with a 2D symbol are made without inverting, mirroring or rotating. Turn them off in TIFF Parameters and save again.</source>
        <translation>Etiketter med en 2D-symbol görs utan invertering, spegling eller rotation. Stäng av dem under TIFF-parametrar och spara igen.</translation>
    </message>
    <message>
        <source>; serials (21) %1 to %2</source>
        <translation>; serienummer (21) %1 till %2</translation>
    </message>
    <message>
        <source>L&amp;ogistic Label...</source>
        <translation>&amp;Logistiketikett...</translation>
    </message>
</context>
<context>
    <name>HelpWindow</name>
    <message>
        <source>Kelbrix Help</source>
        <translation>Kelbrix Hjälp</translation>
    </message>
</context>
<context>
    <name>ImageListCommands</name>
    <message>
        <source>Do you want to clear Barcode Image List ?</source>
        <translation>Vill du tömma bildlistan med streckkoder?</translation>
    </message>
    <message>
        <source>Clear Barcodes.</source>
        <translation>Töm streckkoder.</translation>
    </message>
    <message>
        <source>The Barcode Image List has changes that are not saved. Do you want to replace it with %1 ?</source>
        <translation>Bildlistan med streckkoder har ändringar som inte är sparade. Vill du ersätta den med %1?</translation>
    </message>
    <message>
        <source>Load</source>
        <translation>Öppna</translation>
    </message>
    <message>
        <source>
Only part of the file could be read. Do you want to keep the Barcode Image List you have instead ?</source>
        <translation>
Bara en del av filen kunde läsas. Vill du behålla den bildlista med streckkoder du har i stället?</translation>
    </message>
</context>
<context>
    <name>Kelbrix::Gs1</name>
    <message>
        <source>(%1) %2: %3 is no percent escape</source>
        <translation>(%1) %2: %3 är ingen giltig procentkodning</translation>
    </message>
    <message>
        <source>A Digital Link begins with http:// or https://</source>
        <translation>En Digital Link börjar med http:// eller https://</translation>
    </message>
    <message>
        <source>The web address names no domain</source>
        <translation>Webbadressen anger ingen domän</translation>
    </message>
    <message>
        <source>The web address holds no primary key such as /01/ and a GTIN</source>
        <translation>Webbadressen innehåller ingen primärnyckel, till exempel /01/ och en GTIN</translation>
    </message>
    <message>
        <source>(%1) is given twice</source>
        <translation>(%1) anges två gånger</translation>
    </message>
    <message>
        <source>(%1) is no key qualifier of (%2)</source>
        <translation>(%1) är ingen nyckelkvalificerare för (%2)</translation>
    </message>
    <message>
        <source>(%1) and (%2) cannot both qualify (%3)</source>
        <translation>(%1) och (%2) kan inte båda kvalificera (%3)</translation>
    </message>
    <message>
        <source>(%1) must come before (%2) in the path</source>
        <translation>(%1) måste komma före (%2) i sökvägen</translation>
    </message>
    <message>
        <source>(%1) belongs in the path of a Digital Link, not in its query</source>
        <translation>(%1) hör hemma i sökvägen i en Digital Link, inte i frågedelen</translation>
    </message>
    <message>
        <source>(%1) cannot be a query attribute</source>
        <translation>(%1) kan inte vara ett frågeattribut</translation>
    </message>
    <message>
        <source>(%1) cannot be in a Digital Link</source>
        <translation>(%1) kan inte finnas i en Digital Link</translation>
    </message>
    <message>
        <source>The domain of a Digital Link must begin with http:// or https:// and name a host, not %1</source>
        <translation>Domänen för en Digital Link måste börja med http:// eller https:// och ange en värd, inte %1</translation>
    </message>
    <message>
        <source>(%1) and (%2) are both primary keys; a Digital Link holds one</source>
        <translation>(%1) och (%2) är båda primärnycklar; en Digital Link rymmer en</translation>
    </message>
    <message>
        <source>A Digital Link needs a primary key, such as (01) or (00)</source>
        <translation>En Digital Link behöver en primärnyckel, till exempel (01) eller (00)</translation>
    </message>
    <message>
        <source>(%1) is no key qualifier of (%2) and cannot be a query attribute</source>
        <translation>(%1) är ingen nyckelkvalificerare för (%2) och kan inte vara ett frågeattribut</translation>
    </message>
    <message>
        <source>(%1 has no closing bracket</source>
        <translation>(%1 saknar avslutande parentes</translation>
    </message>
    <message>
        <source>%1 is not the symbology identifier of GS1 data</source>
        <translation>%1 är inte symbologiidentifieraren för GS1-data</translation>
    </message>
    <message>
        <source>A separator (GS) stands where an AI should begin</source>
        <translation>En avgränsare (GS) står där en AI borde börja</translation>
    </message>
    <message>
        <source>%1 does not begin with a GS1 application identifier</source>
        <translation>%1 börjar inte med en GS1-applikationsidentifierare</translation>
    </message>
    <message>
        <source>This is not GS1 data: it should begin with an AI such as (01), with its digits, or with https://</source>
        <translation>Detta är inte GS1-data: det ska börja med en AI som (01), med dess siffror eller med https://</translation>
    </message>
    <message>
        <source>January</source>
        <translation>januari</translation>
    </message>
    <message>
        <source>February</source>
        <translation>februari</translation>
    </message>
    <message>
        <source>March</source>
        <translation>mars</translation>
    </message>
    <message>
        <source>April</source>
        <translation>april</translation>
    </message>
    <message>
        <source>May</source>
        <translation>maj</translation>
    </message>
    <message>
        <source>June</source>
        <translation>juni</translation>
    </message>
    <message>
        <source>July</source>
        <translation>juli</translation>
    </message>
    <message>
        <source>August</source>
        <translation>augusti</translation>
    </message>
    <message>
        <source>September</source>
        <translation>september</translation>
    </message>
    <message>
        <source>October</source>
        <translation>oktober</translation>
    </message>
    <message>
        <source>November</source>
        <translation>november</translation>
    </message>
    <message>
        <source>December</source>
        <translation>december</translation>
    </message>
    <message>
        <source>en</source>
        <comment>the language of the AI names in messages: en or sv</comment>
        <translation>sv</translation>
    </message>
    <message>
        <source>a space</source>
        <translation>ett mellanslag</translation>
    </message>
    <message>
        <source>(%1) has no data</source>
        <translation>(%1) saknar data</translation>
    </message>
    <message>
        <source>(%1) %2: %3 is not a digit</source>
        <translation>(%1) %2: %3 är ingen siffra</translation>
    </message>
    <message>
        <source>(%1) %2: %3 is not one of the 82 characters GS1 allows</source>
        <translation>(%1) %2: %3 är inte ett av de 82 tecken som GS1 tillåter</translation>
    </message>
    <message>
        <source>(%1) %2: %3 is not allowed here, only A-Z, 0-9, #, - and /</source>
        <translation>(%1) %2: %3 är inte tillåtet här, bara A-Z, 0-9, #, - och /</translation>
    </message>
    <message>
        <source>(%1) %2: %3 is not allowed here, only A-Z, a-z, 0-9, -, _ and =</source>
        <translation>(%1) %2: %3 är inte tillåtet här, bara A-Z, a-z, 0-9, -, _ och =</translation>
    </message>
    <message>
        <source>%1 or %2</source>
        <translation>%1 eller %2</translation>
    </message>
    <message>
        <source>(%1) %2: %3 digits needed, not %4</source>
        <translation>(%1) %2: %3 siffror behövs, inte %4</translation>
    </message>
    <message>
        <source>(%1) %2: %3 characters needed, not %4</source>
        <translation>(%1) %2: %3 tecken behövs, inte %4</translation>
    </message>
    <message>
        <source>(%1) %2: too short, at least %3 digits</source>
        <translation>(%1) %2: för kort, minst %3 siffror</translation>
    </message>
    <message>
        <source>(%1) %2: too short, at least %3 characters</source>
        <translation>(%1) %2: för kort, minst %3 tecken</translation>
    </message>
    <message>
        <source>(%1) %2: too long, at most %3 digits</source>
        <translation>(%1) %2: för långt, högst %3 siffror</translation>
    </message>
    <message>
        <source>(%1) %2: too long, at most %3 characters</source>
        <translation>(%1) %2: för långt, högst %3 tecken</translation>
    </message>
    <message>
        <source>(%1) %2: the check digit should be %3</source>
        <translation>(%1) %2: kontrollsiffran ska vara %3</translation>
    </message>
    <message>
        <source>(%1) %2: the first digit must be 0</source>
        <translation>(%1) %2: den första siffran måste vara 0</translation>
    </message>
    <message>
        <source>(%1) %2: there is no piece %3 of %4</source>
        <translation>(%1) %2: det finns ingen del %3 av %4</translation>
    </message>
    <message>
        <source>(%1) %2: country codes take 3 digits each</source>
        <translation>(%1) %2: landskoder har 3 siffror var</translation>
    </message>
    <message>
        <source>(%1) %2: %3 is no month</source>
        <translation>(%1) %2: %3 är ingen månad</translation>
    </message>
    <message>
        <source>(%1) %2: %3 is no day</source>
        <translation>(%1) %2: %3 är ingen dag</translation>
    </message>
    <message>
        <source>(%1) %2: %3 %4 has %5 days</source>
        <translation>(%1) %2: %3 %4 har %5 dagar</translation>
    </message>
    <message>
        <source>(%1) %2: %3 is no hour</source>
        <translation>(%1) %2: %3 är ingen timme</translation>
    </message>
    <message>
        <source>(%1) %2: %3 is no minute</source>
        <translation>(%1) %2: %3 är ingen minut</translation>
    </message>
    <message>
        <source>(%1) %2: %3 is no second</source>
        <translation>(%1) %2: %3 är ingen sekund</translation>
    </message>
    <message>
        <source>There is no data</source>
        <translation>Det finns ingen data</translation>
    </message>
    <message>
        <source>(%1) is no GS1 application identifier</source>
        <translation>(%1) är ingen GS1-applikationsidentifierare</translation>
    </message>
    <message>
        <source>(%1) and (%2) cannot be in the same data: give the %3 once</source>
        <translation>(%1) och (%2) kan inte finnas i samma data: ange %3 en gång</translation>
    </message>
    <message>
        <source>(%1) needs %2 in the same data</source>
        <translation>(%1) behöver %2 i samma data</translation>
    </message>
    <message>
        <source>(%1) and (%2) cannot be in the same data</source>
        <translation>(%1) och (%2) kan inte finnas i samma data</translation>
    </message>
    <message>
        <source>GS1-128 holds at most %1 characters; this data has %2</source>
        <translation>GS1-128 rymmer högst %1 tecken; dessa data har %2</translation>
    </message>
    <message>
        <source>(%1) %2: %3 is no year</source>
        <translation>(%1) %2: %3 är inget år</translation>
    </message>
</context>
<context>
    <name>Kelbrix::Gs1DataWindow</name>
    <message>
        <source>GS1 Data</source>
        <translation>GS1-data</translation>
    </message>
    <message>
        <source>None: the linear barcode alone</source>
        <translation>Ingen: bara den linjära streckkoden</translation>
    </message>
    <message>
        <source>GS1 DataMatrix</source>
        <translation>GS1 DataMatrix</translation>
    </message>
    <message>
        <source>QR Code with a GS1 Digital Link</source>
        <translation>QR-kod med en GS1 Digital Link</translation>
    </message>
    <message>
        <source>Data Matrix with a GS1 Digital Link</source>
        <translation>Data Matrix med en GS1 Digital Link</translation>
    </message>
    <message>
        <source>&amp;Beside the linear barcode</source>
        <translation>&amp;Bredvid den linjära streckkoden</translation>
    </message>
    <message>
        <source>Leave it unchecked to make the 2D symbol alone.</source>
        <translation>Lämna den omarkerad för att göra 2D-symbolen ensam.</translation>
    </message>
    <message>
        <source>AI</source>
        <translation>AI</translation>
    </message>
    <message>
        <source>Value</source>
        <translation>Värde</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>Namn</translation>
    </message>
    <message>
        <source>Another AI</source>
        <translation>Annan AI</translation>
    </message>
    <message>
        <source>&amp;Add</source>
        <translation>&amp;Lägg till</translation>
    </message>
    <message>
        <source>&amp;Remove</source>
        <translation>&amp;Ta bort</translation>
    </message>
    <message>
        <source>none</source>
        <translation>ingen</translation>
    </message>
    <message>
        <source>Every label gets its own serial number (21), from this number on.</source>
        <translation>Varje etikett får ett eget serienummer (21), från detta nummer och framåt.</translation>
    </message>
    <message>
        <source>&amp;Symbol:</source>
        <translation>&amp;Symbol:</translation>
    </message>
    <message>
        <source>Serial (21) &amp;from:</source>
        <translation>Serienummer (21) &amp;från:</translation>
    </message>
    <message>
        <source>Digital Link &amp;domain:</source>
        <translation>Digital Link-&amp;domän:</translation>
    </message>
    <message>
        <source>&amp;Element string:</source>
        <translation>&amp;Elementsträng:</translation>
    </message>
    <message>
        <source>Digital &amp;Link:</source>
        <translation>Digital &amp;Link:</translation>
    </message>
    <message>
        <source>(%1): give the AI with its number of decimals, such as %2 for 3 decimals</source>
        <translation>(%1): ange AI:n med antalet decimaler, till exempel %2 för 3 decimaler</translation>
    </message>
    <message>
        <source>A row has a value but no application identifier: give it one, such as 10 for a batch</source>
        <translation>En rad har ett värde men ingen applikationsidentifierare: ange en, till exempel 10 för ett batchnummer</translation>
    </message>
    <message>
        <source>The Digital Link domain must start with https:// or http://, as %1 does</source>
        <translation>Digital Link-domänen måste börja med https:// eller http://, som %1 gör</translation>
    </message>
    <message>
        <source>Make a barcode in the main window to see its label here.</source>
        <translation>Gör en streckkod i huvudfönstret för att se etiketten här.</translation>
    </message>
    <message>
        <source>No preview: the data is refused.</source>
        <translation>Ingen förhandsvisning: data avvisas.</translation>
    </message>
    <message>
        <source>The data passes every GS1 check.</source>
        <translation>Data klarar alla GS1-kontroller.</translation>
    </message>
    <message>
        <source>No 2D symbol: the labels carry the linear barcode alone.</source>
        <translation>Ingen 2D-symbol: etiketterna har bara den linjära streckkoden.</translation>
    </message>
    <message>
        <source>none: %1</source>
        <translation>ingen: %1</translation>
    </message>
</context>
<context>
    <name>Kelbrix::Gs1_128</name>
    <message>
        <source>The module width X of a GS1-128 symbol is %1 mm; GS1 allows %2 to %3 mm.</source>
        <translation>Modulbredden X för en GS1-128-symbol är %1 mm; GS1 tillåter %2 till %3 mm.</translation>
    </message>
    <message>
        <source>The bars of a GS1-128 symbol are %1 mm high; GS1 asks for %2 mm, or at least %3 mm where the label has no room for that.</source>
        <translation>Staplarna i en GS1-128-symbol är %1 mm höga; GS1 kräver %2 mm, eller minst %3 mm där etiketten inte har plats för det.</translation>
    </message>
    <message>
        <source>There is no GS1 data to encode.</source>
        <translation>Det finns inga GS1-data att koda.</translation>
    </message>
</context>
<context>
    <name>Kelbrix::LogisticLabel</name>
    <message>
        <source>(%1) %2 is too long for a GS1-128 symbol across this label.</source>
        <translation>(%1) %2 är för lång för en GS1-128-symbol tvärs över den här etiketten.</translation>
    </message>
    <message>
        <source>A logistic label needs an SSCC, AI (00).</source>
        <translation>En logistiketikett behöver en SSCC, AI (00).</translation>
    </message>
    <message>
        <source>At %1 dots per inch no whole number of dots makes a module GS1 allows.</source>
        <translation>Vid %1 punkter per tum ger inget helt antal punkter en modul som GS1 tillåter.</translation>
    </message>
    <message>
        <source>A line of the label is too long to be read at this size: &quot;%1&quot;.</source>
        <translation>En rad på etiketten är för lång för att kunna läsas i den här storleken: &quot;%1&quot;.</translation>
    </message>
    <message>
        <source>The symbol &quot;%1&quot; does not read back as its data; nothing was made.</source>
        <translation>Symbolen &quot;%1&quot; läses inte tillbaka som sina data; ingenting gjordes.</translation>
    </message>
    <message>
        <source>There is no label to make.</source>
        <translation>Det finns ingen etikett att göra.</translation>
    </message>
    <message>
        <source>Only A6 labels go four to an A4 sheet.</source>
        <translation>Bara A6-etiketter går fyra på ett A4-ark.</translation>
    </message>
    <message>
        <source>The printer or file could not be opened for the labels.</source>
        <translation>Skrivaren eller filen kunde inte öppnas för etiketterna.</translation>
    </message>
    <message>
        <source>The labels were stopped.</source>
        <translation>Etiketterna stoppades.</translation>
    </message>
    <message>
        <source>GS1 logistic labels</source>
        <translation>GS1-logistiketiketter</translation>
    </message>
    <message>
        <source>The data does not fit on this %1 label: its bars would be %2 mm high, and GS1 asks for at least %3 mm. Choose a larger label, or leave data out.</source>
        <translation>Data får inte plats på den här %1-etiketten: staplarna skulle bli %2 mm höga, och GS1 kräver minst %3 mm. Välj en större etikett, eller ta bort data.</translation>
    </message>
</context>
<context>
    <name>Kelbrix::LogisticLabelWindow</name>
    <message>
        <source>Logistic Label</source>
        <translation>Logistiketikett</translation>
    </message>
    <message>
        <source>A6 105 x 148 mm</source>
        <translation>A6 105 x 148 mm</translation>
    </message>
    <message>
        <source>A5 148 x 210 mm</source>
        <translation>A5 148 x 210 mm</translation>
    </message>
    <message>
        <source>4 x 6 in</source>
        <translation>4 x 6 tum</translation>
    </message>
    <message>
        <source>Name and address, a line each</source>
        <translation>Namn och adress, en rad var</translation>
    </message>
    <message>
        <source>none</source>
        <translation>ingen</translation>
    </message>
    <message>
        <source>SSCC</source>
        <translation>SSCC</translation>
    </message>
    <message>
        <source>Take from the &amp;sequence</source>
        <translation>Ta från seri&amp;en</translation>
    </message>
    <message>
        <source>Each pallet gets the next SSCC of the company prefix when the labels are printed or saved.</source>
        <translation>Varje pall får nästa SSCC under företagsprefixet när etiketterna skrivs ut eller sparas.</translation>
    </message>
    <message>
        <source>Your GS1 company prefix, 6 to 11 digits.</source>
        <translation>Ditt GS1-företagsprefix, 6 till 11 siffror.</translation>
    </message>
    <message>
        <source>T&amp;yped:</source>
        <translation>In&amp;matad:</translation>
    </message>
    <message>
        <source>18 digits</source>
        <translation>18 siffror</translation>
    </message>
    <message>
        <source>One SSCC of your own, for one pallet.</source>
        <translation>En egen SSCC, för en pall.</translation>
    </message>
    <message>
        <source>GS1 company pre&amp;fix:</source>
        <translation>GS1-&amp;företagsprefix:</translation>
    </message>
    <message>
        <source>E&amp;xtension digit:</source>
        <translation>Tillä&amp;ggssiffra:</translation>
    </message>
    <message>
        <source>AI</source>
        <translation>AI</translation>
    </message>
    <message>
        <source>Title</source>
        <translation>Rubrik</translation>
    </message>
    <message>
        <source>Value</source>
        <translation>Värde</translation>
    </message>
    <message>
        <source>The title is printed above the value; change it to print your own.</source>
        <translation>Rubriken skrivs ovanför värdet; ändra den för att skriva din egen.</translation>
    </message>
    <message>
        <source>Another AI</source>
        <translation>En annan AI</translation>
    </message>
    <message>
        <source>Add Ro&amp;w</source>
        <translation>L&amp;ägg till rad</translation>
    </message>
    <message>
        <source>Re&amp;move Row</source>
        <translation>Ta &amp;bort rad</translation>
    </message>
    <message>
        <source>From &amp;Record</source>
        <translation>Från &amp;post</translation>
    </message>
    <message>
        <source>CONTENT (02): the GTIN of the code the main window shows</source>
        <translation>CONTENT (02): GTIN för koden som huvudfönstret visar</translation>
    </message>
    <message>
        <source>From &amp;CSV Row...</source>
        <translation>Från &amp;CSV-rad...</translation>
    </message>
    <message>
        <source>The columns of a CSV file&apos;s first record that name an AI, such as Batch or (10)</source>
        <translation>Kolumnerna i en CSV-fils första post som namnger en AI, som Batch eller (10)</translation>
    </message>
    <message>
        <source>Four to an &amp;A4 sheet</source>
        <translation>Fyra på ett &amp;A4-ark</translation>
    </message>
    <message>
        <source>&amp;Print...</source>
        <translation>Skriv &amp;ut...</translation>
    </message>
    <message>
        <source>Pre&amp;view...</source>
        <translation>F&amp;örhandsgranska...</translation>
    </message>
    <message>
        <source>Save P&amp;DF...</source>
        <translation>Spara P&amp;DF...</translation>
    </message>
    <message>
        <source>Save &amp;TIFF...</source>
        <translation>Spara T&amp;IFF...</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Stäng</translation>
    </message>
    <message>
        <source>Label si&amp;ze:</source>
        <translation>Etikett&amp;storlek:</translation>
    </message>
    <message>
        <source>S&amp;upplier:</source>
        <translation>&amp;Leverantör:</translation>
    </message>
    <message>
        <source>Cust&amp;omer:</source>
        <translation>&amp;Kund:</translation>
    </message>
    <message>
        <source>Carri&amp;er:</source>
        <translation>&amp;Transportör:</translation>
    </message>
    <message>
        <source>Data &amp;lines:</source>
        <translation>Data&amp;rader:</translation>
    </message>
    <message>
        <source>&amp;Number of pallets:</source>
        <translation>A&amp;ntal pallar:</translation>
    </message>
    <message>
        <source>A row has a value but no application identifier: give it one, such as 10 for a batch</source>
        <translation>En rad har ett värde men ingen applikationsidentifierare: ge den en, som 10 för en batch</translation>
    </message>
    <message>
        <source>(%1): give the AI with its number of decimals, such as %2 for 3 decimals</source>
        <translation>(%1): ange AI:n med sitt antal decimaler, som %2 för 3 decimaler</translation>
    </message>
    <message>
        <source>(00): the SSCC is taken from the sequence or typed above, not given in a row</source>
        <translation>(00): SSCC:n tas från serien eller matas in ovan, inte på en rad</translation>
    </message>
    <message>
        <source>A typed SSCC is for one pallet: take the SSCCs from the sequence for %1 pallets</source>
        <translation>En inmatad SSCC är för en pall: ta SSCC:erna från serien för %1 pallar</translation>
    </message>
    <message>
        <source>No preview: the data is refused.</source>
        <translation>Ingen förhandsvisning: data avvisas.</translation>
    </message>
    <message>
        <source>Ready: %1 symbols on each label. The preview shows a stand-in SSCC: the %2 SSCCs are taken from the sequence when the labels are printed or saved.</source>
        <translation>Klar: %1 symboler på varje etikett. Förhandsvisningen visar en ersättnings-SSCC: de %2 SSCC:erna tas från serien när etiketterna skrivs ut eller sparas.</translation>
    </message>
    <message>
        <source>Ready: %1 symbols, SSCC %2.</source>
        <translation>Klar: %1 symboler, SSCC %2.</translation>
    </message>
    <message>
        <source>SSCC %1 used.</source>
        <translation>SSCC %1 användes.</translation>
    </message>
    <message>
        <source>logistic label, pallet {n} of %1</source>
        <translation>logistiketikett, pall {n} av %1</translation>
    </message>
    <message>
        <source>%1 to %2</source>
        <translation>%1 till %2</translation>
    </message>
    <message>
        <source>The SSCCs taken for these labels stay taken and are not given again: %1</source>
        <translation>SSCC:erna som togs för de här etiketterna förblir tagna och ges inte ut igen: %1</translation>
    </message>
    <message>
        <source>Save PDF</source>
        <translation>Spara PDF</translation>
    </message>
    <message>
        <source>PDF (*.pdf)</source>
        <translation>PDF (*.pdf)</translation>
    </message>
    <message>
        <source>Save TIFF</source>
        <translation>Spara TIFF</translation>
    </message>
    <message>
        <source>TIFF (*.tif)</source>
        <translation>TIFF (*.tif)</translation>
    </message>
    <message>
        <source>%1 was not written: %2</source>
        <translation>%1 skrevs inte: %2</translation>
    </message>
    <message>
        <source>The main window shows no code with a GTIN: make one, or click a record of the list, first.</source>
        <translation>Huvudfönstret visar ingen kod med ett GTIN: gör en, eller klicka på en post i listan, först.</translation>
    </message>
    <message>
        <source>From CSV Row</source>
        <translation>Från CSV-rad</translation>
    </message>
    <message>
        <source>CSV files (*.csv *.txt);;All files (*)</source>
        <translation>CSV-filer (*.csv *.txt);;Alla filer (*)</translation>
    </message>
    <message>
        <source>%1 has no record below its header row.</source>
        <translation>%1 har ingen post under sin rubrikrad.</translation>
    </message>
    <message>
        <source>No column of %1 names an application identifier, such as Batch or (10).</source>
        <translation>Ingen kolumn i %1 namnger en applikationsidentifierare, som Batch eller (10).</translation>
    </message>
    <message>
        <source>The logistic label&apos;s supplier, customer, carrier, size and company prefix could not be kept for the next time: %1</source>
        <translation>Logistiketikettens leverantör, kund, transportör, storlek och företagsprefix kunde inte sparas till nästa gång: %1</translation>
    </message>
    <message>
        <source>Ready: %1 symbols on the label. The preview shows a stand-in SSCC: the pallet&apos;s SSCC is taken from the sequence when the label is printed or saved.</source>
        <translation>Klar: %1 symboler på etiketten. Förhandsvisningen visar en ersättnings-SSCC: pallens SSCC tas från serien när etiketten skrivs ut eller sparas.</translation>
    </message>
</context>
<context>
    <name>Kelbrix::MatrixPart</name>
    <message>
        <source>The module of a 2D symbol must be from %1 to %2 mm (the GS1 table for retail point of sale); %3 mm is outside it.</source>
        <translation>Modulen för en 2D-symbol måste vara från %1 till %2 mm (GS1-tabellen för kassor i detaljhandeln); %3 mm ligger utanför.</translation>
    </message>
</context>
<context>
    <name>Kelbrix::PrintCommands</name>
    <message>
        <source>Printing...</source>
        <translation>Skriver ut...</translation>
    </message>
</context>
<context>
    <name>Kelbrix::Sscc</name>
    <message>
        <source>An SSCC needs a GS1 company prefix of 6 to 11 digits.</source>
        <translation>En SSCC behöver ett GS1-företagsprefix på 6 till 11 siffror.</translation>
    </message>
    <message>
        <source>A GS1 company prefix has 6 to 11 digits; %1 is not one.</source>
        <translation>Ett GS1-företagsprefix har 6 till 11 siffror; %1 är inget.</translation>
    </message>
    <message>
        <source>The extension digit is one digit, 0 to 9, not %1.</source>
        <translation>Tilläggssiffran är en siffra, 0 till 9, inte %1.</translation>
    </message>
    <message>
        <source>A serial reference is digits only, not %1.</source>
        <translation>En serienummerreferens består bara av siffror, inte %1.</translation>
    </message>
    <message>
        <source>Under company prefix %1 the serial reference has at most %2 digits; %3 has %4.</source>
        <translation>Under företagsprefix %1 har serienummerreferensen högst %2 siffror; %3 har %4.</translation>
    </message>
    <message>
        <source>The SSCC counter file &quot;%1&quot; is damaged: %2. No SSCC was taken, and the file is kept as it is: counting again from the start would issue SSCCs twice. Put it back from a backup.</source>
        <translation>SSCC-räknarfilen &quot;%1&quot; är skadad: %2. Ingen SSCC togs, och filen behålls som den är: att räkna om från början skulle dela ut SSCC två gånger. Lägg tillbaka den från en säkerhetskopia.</translation>
    </message>
    <message>
        <source>The SSCC counter file &quot;%1&quot; is no regular file. No SSCC was taken.</source>
        <translation>SSCC-räknarfilen &quot;%1&quot; är ingen vanlig fil. Ingen SSCC togs.</translation>
    </message>
    <message>
        <source>it is larger than %1 KB, more than counters can be</source>
        <translation>den är större än %1 kB, mer än räknare kan vara</translation>
    </message>
    <message>
        <source>The SSCC counter file &quot;%1&quot; could not be read: %2. No SSCC was taken.</source>
        <translation>SSCC-räknarfilen &quot;%1&quot; kunde inte läsas: %2. Ingen SSCC togs.</translation>
    </message>
    <message>
        <source>it does not begin with &quot;%1&quot;</source>
        <translation>den börjar inte med &quot;%1&quot;</translation>
    </message>
    <message>
        <source>it ends in the middle of a line</source>
        <translation>den slutar mitt på en rad</translation>
    </message>
    <message>
        <source>its last line is not the sum of the lines above it</source>
        <translation>dess sista rad är inte summan av raderna ovanför</translation>
    </message>
    <message>
        <source>line %1 is not a company prefix, an extension digit and a serial reference</source>
        <translation>rad %1 är inte ett företagsprefix, en tilläggssiffra och en serienummerreferens</translation>
    </message>
    <message>
        <source>line %1 counts past the last serial reference of company prefix %2</source>
        <translation>rad %1 räknar förbi den sista serienummerreferensen för företagsprefix %2</translation>
    </message>
    <message>
        <source>line %1 counts company prefix %2 with extension digit %3 again</source>
        <translation>rad %1 räknar företagsprefix %2 med tilläggssiffra %3 en gång till</translation>
    </message>
    <message>
        <source>No SSCC remains under company prefix %1 with extension digit %2: serial reference %3, the last, is taken.</source>
        <translation>Ingen SSCC återstår under företagsprefix %1 med tilläggssiffra %2: serienummerreferens %3, den sista, är tagen.</translation>
    </message>
    <message>
        <source>%1 SSCCs were asked for, but only 1 remains under company prefix %2 with extension digit %3, up to serial reference %4. None was taken.</source>
        <translation>%1 SSCC begärdes, men bara 1 återstår under företagsprefix %2 med tilläggssiffra %3, upp till serienummerreferens %4. Ingen togs.</translation>
    </message>
    <message>
        <source>%1 SSCCs were asked for, but only %2 remain under company prefix %3 with extension digit %4, up to serial reference %5. None was taken.</source>
        <translation>%1 SSCC begärdes, men bara %2 återstår under företagsprefix %3 med tilläggssiffra %4, upp till serienummerreferens %5. Ingen togs.</translation>
    </message>
    <message>
        <source>One take is 1 to %1 SSCCs, not %2.</source>
        <translation>Ett uttag är 1 till %1 SSCC, inte %2.</translation>
    </message>
    <message>
        <source>The folder &quot;%1&quot; for the SSCC counters could not be made. No SSCC was taken.</source>
        <translation>Mappen &quot;%1&quot; för SSCC-räknarna kunde inte skapas. Ingen SSCC togs.</translation>
    </message>
    <message>
        <source>Another program has been taking SSCCs from &quot;%1&quot; for over %2 seconds. No SSCC was taken; try again.</source>
        <translation>Ett annat program har tagit SSCC från &quot;%1&quot; i över %2 sekunder. Ingen SSCC togs; försök igen.</translation>
    </message>
    <message>
        <source>The lock file &quot;%1&quot; could not be made. No SSCC was taken.</source>
        <translation>Låsfilen &quot;%1&quot; kunde inte skapas. Ingen SSCC togs.</translation>
    </message>
    <message>
        <source>The SSCC counter file &quot;%1&quot; is missing, but the log &quot;%2&quot; shows SSCCs taken. No SSCC was taken: counting again from the start would issue them twice. Put the counter file back from a backup.</source>
        <translation>SSCC-räknarfilen &quot;%1&quot; saknas, men loggen &quot;%2&quot; visar tagna SSCC. Ingen SSCC togs: att räkna om från början skulle dela ut dem två gånger. Lägg tillbaka räknarfilen från en säkerhetskopia.</translation>
    </message>
    <message>
        <source>Company prefix %1 begins like company prefix %2, under which SSCCs were taken before: their SSCCs with extension digit %3 could be the same, and GS1 never gives out both. No SSCC was taken.</source>
        <translation>Företagsprefix %1 börjar som företagsprefix %2, under vilket SSCC tagits tidigare: deras SSCC med tilläggssiffra %3 kan bli desamma, och GS1 delar aldrig ut båda. Ingen SSCC togs.</translation>
    </message>
    <message>
        <source>The SSCC log &quot;%1&quot; could not be opened: %2. No SSCC was taken.</source>
        <translation>SSCC-loggen &quot;%1&quot; kunde inte öppnas: %2. Ingen SSCC togs.</translation>
    </message>
    <message>
        <source>No SSCC was taken.</source>
        <translation>Ingen SSCC togs.</translation>
    </message>
    <message>
        <source>%1 SSCCs from %2 on were counted as taken, but the log &quot;%3&quot; could not be written: %4. None of them is given out; the next take goes on after them.</source>
        <translation>%1 SSCC från %2 räknades som tagna, men loggen &quot;%3&quot; kunde inte skrivas: %4. Ingen av dem delas ut; nästa uttag fortsätter efter dem.</translation>
    </message>
    <message>
        <source>The SSCC log &quot;%1&quot; could not be read: %2.</source>
        <translation>SSCC-loggen &quot;%1&quot; kunde inte läsas: %2.</translation>
    </message>
    <message>
        <source>it is no regular file</source>
        <translation>den är ingen vanlig fil</translation>
    </message>
</context>
<context>
    <name>Kelbrix::frmBarSize</name>
    <message>
        <source>Artwork X-dimension: %1 mm</source>
        <translation>Originalets X-dimension: %1 mm</translation>
    </message>
</context>
<context>
    <name>Kelbrix::frmFind</name>
    <message>
        <source>Searching...</source>
        <translation>Söker...</translation>
    </message>
</context>
<context>
    <name>LabelTemplate</name>
    <message>
        <source>The labels of %1 have no size.</source>
        <translation>Etiketterna på %1 har ingen storlek.</translation>
    </message>
    <message>
        <source>The margins of %1 lie outside the page.</source>
        <translation>Marginalerna på %1 ligger utanför sidan.</translation>
    </message>
    <message>
        <source>The labels of %1 overlap: the pitch is smaller than the label.</source>
        <translation>Etiketterna på %1 överlappar: avståndet är mindre än etiketten.</translation>
    </message>
    <message>
        <source>The labels of %1 run off the page.</source>
        <translation>Etiketterna på %1 går utanför sidan.</translation>
    </message>
</context>
<context>
    <name>LabelTemplateDialog</name>
    <message>
        <source>Label Sheet</source>
        <translation>Etikettark</translation>
    </message>
    <message>
        <source> mm</source>
        <translation> mm</translation>
    </message>
    <message>
        <source>&amp;Name:</source>
        <translation>&amp;Namn:</translation>
    </message>
    <message>
        <source>&amp;Page:</source>
        <translation>&amp;Sida:</translation>
    </message>
    <message>
        <source>Label &amp;width:</source>
        <translation>Etikett&amp;bredd:</translation>
    </message>
    <message>
        <source>Label &amp;height:</source>
        <translation>Etikett&amp;höjd:</translation>
    </message>
    <message>
        <source>&amp;Columns:</source>
        <translation>&amp;Kolumner:</translation>
    </message>
    <message>
        <source>&amp;Rows:</source>
        <translation>&amp;Rader:</translation>
    </message>
    <message>
        <source>&amp;Left margin:</source>
        <translation>&amp;Vänstermarginal:</translation>
    </message>
    <message>
        <source>&amp;Top margin:</source>
        <translation>&amp;Övre marginal:</translation>
    </message>
    <message>
        <source>Pitch &amp;across:</source>
        <translation>Avstånd i s&amp;idled:</translation>
    </message>
    <message>
        <source>Pitch &amp;down:</source>
        <translation>Avstånd i hö&amp;jdled:</translation>
    </message>
    <message>
        <source>Corner rad&amp;ius:</source>
        <translation>Hörnr&amp;adie:</translation>
    </message>
    <message>
        <source>Product n&amp;umbers:</source>
        <translation>Produktn&amp;ummer:</translation>
    </message>
    <message>
        <source>The sheet needs a name.</source>
        <translation>Arket måste ha ett namn.</translation>
    </message>
    <message>
        <source>There is a sheet called %1 already.</source>
        <translation>Det finns redan ett ark som heter %1.</translation>
    </message>
</context>
<context>
    <name>LabelVerdict</name>
    <message>
        <source>Not checked</source>
        <translation>Inte kontrollerad</translation>
    </message>
    <message>
        <source>This label has no barcode type the reader knows, so it was not read back.</source>
        <translation>Den här etiketten har ingen streckkodstyp som läsaren känner till, så den lästes inte tillbaka.</translation>
    </message>
    <message>
        <source>Does not scan</source>
        <translation>Går inte att läsa av</translation>
    </message>
    <message>
        <source>No barcode could be read back from this label. Check it before you print it.</source>
        <translation>Ingen streckkod kunde läsas tillbaka från den här etiketten. Kontrollera den innan du skriver ut den.</translation>
    </message>
    <message>
        <source>Scans as %1</source>
        <translation>Läses som %1</translation>
    </message>
    <message>
        <source>The label was read back and gives the digits it was made from.</source>
        <translation>Etiketten lästes tillbaka och ger de siffror den skapades av.</translation>
    </message>
    <message>
        <source> (inverted)</source>
        <translation> (inverterad)</translation>
    </message>
    <message>
        <source> It has light bars on a dark ground, which not every scanner reads.</source>
        <translation> Den har ljusa streck på mörk botten, vilket inte alla streckkodsläsare klarar.</translation>
    </message>
    <message>
        <source>Reads as %1 instead of %2</source>
        <translation>Läses som %1 i stället för %2</translation>
    </message>
    <message>
        <source>The label reads back as something else than it was made from. Check it before you print it.</source>
        <translation>Etiketten läses tillbaka som något annat än den skapades av. Kontrollera den innan du skriver ut den.</translation>
    </message>
    <message>
        <source>The 2D symbol does not scan</source>
        <translation>2D-symbolen går inte att skanna</translation>
    </message>
    <message>
        <source>No 2D symbol could be read back from this label. Check it before you print it.</source>
        <translation>Ingen 2D-symbol kunde läsas tillbaka från etiketten. Kontrollera den innan du skriver ut.</translation>
    </message>
    <message>
        <source>The 2D symbol was read back and gives the data it was made from.</source>
        <translation>2D-symbolen lästes tillbaka och ger de data den gjordes av.</translation>
    </message>
    <message>
        <source>No 2D symbol: %1</source>
        <translation>Ingen 2D-symbol: %1</translation>
    </message>
    <message>
        <source>The GS1 data was refused, so the label carries no 2D symbol. Correct it in Edit, GS1 Data.</source>
        <translation>GS1-data avvisades, så etiketten har ingen 2D-symbol. Rätta dem under Redigera, GS1-data.</translation>
    </message>
</context>
<context>
    <name>ListFiles</name>
    <message>
        <source>Could not open &quot;%1&quot;: the file does not exist.</source>
        <translation>Det gick inte att öppna &quot;%1&quot;: filen finns inte.</translation>
    </message>
    <message>
        <source>Could not open &quot;%1&quot;: it is a folder, not a list file.</source>
        <translation>Det gick inte att öppna &quot;%1&quot;: det är en mapp, inte en listfil.</translation>
    </message>
    <message>
        <source>Could not open &quot;%1&quot;: it is no regular file.</source>
        <translation>Det gick inte att öppna &quot;%1&quot;: det är ingen vanlig fil.</translation>
    </message>
    <message>
        <source>Could not open &quot;%1&quot;: %2.</source>
        <translation>Det gick inte att öppna &quot;%1&quot;: %2.</translation>
    </message>
    <message>
        <source>Could not read all of &quot;%1&quot;. %2</source>
        <translation>Det gick inte att läsa hela &quot;%1&quot;. %2</translation>
    </message>
    <message>
        <source>Line %1 is longer than %2 characters.</source>
        <translation>Rad %1 är längre än %2 tecken.</translation>
    </message>
    <message>
        <source>The file is larger than %1 MB, more than a list file can be.</source>
        <translation>Filen är större än %1 MB, mer än en listfil kan vara.</translation>
    </message>
    <message>
        <source>Line %1 could not be read: %2.</source>
        <translation>Rad %1 kunde inte läsas: %2.</translation>
    </message>
    <message>
        <source>Sorry, Wrong file format.</source>
        <translation>Tyvärr, fel filformat.</translation>
    </message>
    <message>
        <source>Wrong File Format</source>
        <translation>Fel filformat</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not a list file (.qz2, .qzl or .bar).</source>
        <translation>&quot;%1&quot; är ingen listfil (.qz2, .qzl eller .bar).</translation>
    </message>
    <message>
        <source>Record %1 (&quot;%2&quot;) holds the character %3, which the Windows-1252 code page of list files cannot hold.

Save the list as UTF-8 with a byte-order mark? Older programs may show such characters wrongly.</source>
        <translation>Post %1 (&quot;%2&quot;) innehåller tecknet %3, som listfilernas teckentabell Windows-1252 inte kan lagra.

Spara listan som UTF-8 med byteordningsmarkering? Äldre program kan visa sådana tecken fel.</translation>
    </message>
    <message>
        <source>Save List</source>
        <translation>Spara lista</translation>
    </message>
    <message>
        <source>Line %1: the %2 line is empty.</source>
        <translation>Rad %1: raden för %2 är tom.</translation>
    </message>
    <message>
        <source>Line %1: the %2 field is not enclosed in double quotes.</source>
        <translation>Rad %1: fältet %2 står inte inom citattecken.</translation>
    </message>
    <message>
        <source>Line %1: the file holds more than %2 records.</source>
        <translation>Rad %1: filen innehåller mer än %2 poster.</translation>
    </message>
    <message>
        <source>Line %1: the file ends inside a record, before its %2 line.</source>
        <translation>Rad %1: filen slutar mitt i en post, före dess rad för %2.</translation>
    </message>
    <message>
        <source>record %1 (&quot;%2&quot;) %3</source>
        <translation>post %1 (&quot;%2&quot;) %3</translation>
    </message>
    <message>
        <source>is one too many: a list file holds at most %1 records</source>
        <translation>är en för mycket: en listfil rymmer högst %1 poster</translation>
    </message>
    <message>
        <source>has a line break in its %1, which a list file cannot hold</source>
        <translation>har en radbrytning i %1, som en listfil inte kan lagra</translation>
    </message>
    <message>
        <source>has more than %1 characters in its %2, more than a list file can hold</source>
        <translation>har mer än %1 tecken i %2, mer än en listfil kan lagra</translation>
    </message>
    <message>
        <source>has the broken character %1 in its %2, which no text file can hold</source>
        <translation>har det trasiga tecknet %1 i %2, som ingen textfil kan lagra</translation>
    </message>
    <message>
        <source>has more than %1 bytes in its %2, more than a list file can hold</source>
        <translation>har mer än %1 byte i %2, mer än en listfil kan lagra</translation>
    </message>
    <message>
        <source>has the character %1 in its %2, which the Windows-1252 code page of list files cannot hold</source>
        <translation>har tecknet %1 i %2, som listfilernas teckentabell Windows-1252 inte kan lagra</translation>
    </message>
    <message>
        <source>. Nothing was written.</source>
        <translation>. Ingenting skrevs.</translation>
    </message>
    <message>
        <source>The list could not be written: %1.</source>
        <translation>Listan kunde inte skrivas: %1.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is no Code 39 character</source>
        <translation>&quot;%1&quot; är inget Code 39-tecken</translation>
    </message>
    <message>
        <source>a Code 39 barcode has at most %1 characters, not %2</source>
        <translation>en Code 39-streckkod har högst %1 tecken, inte %2</translation>
    </message>
    <message>
        <source>an ISBN is written as 10 characters and 3 dividers, such as 1-57169-006-9, not %1</source>
        <translation>ett ISBN skrivs med 10 tecken och 3 bindestreck, till exempel 1-57169-006-9, inte %1</translation>
    </message>
    <message>
        <source>the ISBN check character is %1, but it should be %2</source>
        <translation>ISBN-kontrolltecknet är %1, men det ska vara %2</translation>
    </message>
    <message>
        <source>the barcode %1 is not all digits</source>
        <translation>streckkoden %1 består inte bara av siffror</translation>
    </message>
    <message>
        <source>%1 has %2 digits, or %3 with its check digit, not %4</source>
        <translation>%1 har %2 siffror, eller %3 med kontrollsiffran, inte %4</translation>
    </message>
    <message>
        <source>the check digit is %1, but it should be %2</source>
        <translation>kontrollsiffran är %1, men den ska vara %2</translation>
    </message>
    <message>
        <source>the %1 holds a line break, which a list file cannot keep</source>
        <translation>%1 innehåller en radbrytning, som en listfil inte kan behålla</translation>
    </message>
    <message>
        <source>the %1 is longer than %2 characters</source>
        <translation>%1 är längre än %2 tecken</translation>
    </message>
    <message>
        <source>&quot;%1&quot; names a field that an earlier column already holds</source>
        <translation>&quot;%1&quot; anger ett fält som en tidigare kolumn redan innehåller</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is no barcode type</source>
        <translation>&quot;%1&quot; är ingen streckkodstyp</translation>
    </message>
    <message>
        <source>the supplement %1 is not all digits</source>
        <translation>tillägget %1 består inte bara av siffror</translation>
    </message>
    <message>
        <source>a supplement has 2 or 5 digits, not %1</source>
        <translation>ett tillägg har 2 eller 5 siffror, inte %1</translation>
    </message>
    <message>
        <source>%1 takes no %2-digit supplement</source>
        <translation>%1 tar inget %2-siffrigt tillägg</translation>
    </message>
    <message>
        <source>%1 needs a supplement of %2 digits, not %3</source>
        <translation>%1 behöver ett tillägg på %2 siffror, inte %3</translation>
    </message>
    <message>
        <source>%1 rows read: %2 imported, %3 refused.
</source>
        <translation>%1 rader lästa: %2 importerade, %3 avvisade.
</translation>
    </message>
    <message>
        <source>The rows from line %1 on were not read: a list holds at most %2 records.
</source>
        <translation>Raderna från rad %1 och framåt lästes inte: en lista rymmer högst %2 poster.
</translation>
    </message>
    <message>
        <source>Line %1 (%2): %3
</source>
        <translation>Rad %1 (%2): %3
</translation>
    </message>
    <message>
        <source>Line %1 names no barcode column: call one Barcode, EAN, GTIN or Streckkod.</source>
        <translation>Rad %1 anger ingen streckkodskolumn: kalla en av dem Barcode, EAN, GTIN eller Streckkod.</translation>
    </message>
    <message>
        <source>the product %1 exists in list</source>
        <translation>produkten %1 finns redan i listan</translation>
    </message>
    <message>
        <source>%1 is no file that can be read.</source>
        <translation>%1 är ingen fil som kan läsas.</translation>
    </message>
    <message>
        <source>Could not open %1: %2.</source>
        <translation>Det gick inte att öppna %1: %2.</translation>
    </message>
    <message>
        <source>%1 is larger than %2 MB and was not read.</source>
        <translation>%1 är större än %2 MB och lästes inte.</translation>
    </message>
    <message>
        <source>Could not read %1: %2.</source>
        <translation>Det gick inte att läsa %1: %2.</translation>
    </message>
    <message>
        <source>Line %1 holds a NUL byte: this is no text file.</source>
        <translation>Rad %1 innehåller en NUL-byte: detta är ingen textfil.</translation>
    </message>
    <message>
        <source>Line %1 is not UTF-8 text, although the file starts as UTF-8. Save the file again in one encoding.</source>
        <translation>Rad %1 är inte UTF-8-text, fast filen börjar som UTF-8. Spara om filen i en enda teckenkodning.</translation>
    </message>
    <message>
        <source>Line %1 mixes UTF-8 and Windows-1252 text in one file. Save the file again in one encoding.</source>
        <translation>Rad %1 blandar UTF-8- och Windows-1252-text i samma fil. Spara om filen i en enda teckenkodning.</translation>
    </message>
    <message>
        <source>Line %1 is longer than %2 bytes.</source>
        <translation>Rad %1 är längre än %2 byte.</translation>
    </message>
    <message>
        <source>Line %1 opens a quoted field that is never closed.</source>
        <translation>Rad %1 inleder ett citerat fält som aldrig avslutas.</translation>
    </message>
    <message>
        <source>Line %1 has text after the closing quote of field %2.</source>
        <translation>Rad %1 har text efter det avslutande citattecknet i fält %2.</translation>
    </message>
    <message>
        <source>the column of the %1 must name its AI in full, such as (%2)</source>
        <translation>kolumnen för %1 måste ange sin AI fullt ut, till exempel (%2)</translation>
    </message>
    <message>
        <source>the %1 %2 is no number such as 0.750</source>
        <translation>%1 %2 är inget tal som 0,750</translation>
    </message>
    <message>
        <source>the %1 %2 has more than %3 decimals</source>
        <translation>%1 %2 har fler än %3 decimaler</translation>
    </message>
    <message>
        <source>the %1 %2 has more than %3 digits</source>
        <translation>%1 %2 har fler än %3 siffror</translation>
    </message>
    <message>
        <source>&quot;%1&quot; names the GTIN, which the barcode column holds</source>
        <translation>&quot;%1&quot; anger GTIN, som streckkodskolumnen redan har</translation>
    </message>
    <message>
        <source>&quot;%1&quot; names an AI that an earlier column already holds</source>
        <translation>&quot;%1&quot; anger en AI som en tidigare kolumn redan har</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is no column name: use product, barcode, supplement, text, type or an AI such as ai10</source>
        <translation>&quot;%1&quot; är inget kolumnnamn: använd product, barcode, supplement, text, type eller en AI som ai10</translation>
    </message>
</context>
<context>
    <name>MatrixExport</name>
    <message>
        <source>record %1</source>
        <translation>post %1</translation>
    </message>
    <message>
        <source>%1 makes no barcode and is left out: %2 %3</source>
        <translation>%1 ger ingen streckkod och utelämnas: %2 %3</translation>
    </message>
    <message>
        <source>%1 is left out: %2</source>
        <translation>%1 utelämnas: %2</translation>
    </message>
</context>
<context>
    <name>NumberSequence</name>
    <message>
        <source>A GS1 company prefix has 6 to 11 digits.</source>
        <translation>Ett GS1-företagsprefix har 6 till 11 siffror.</translation>
    </message>
    <message>
        <source>With company prefix %1 the item reference has at most %2 digits.</source>
        <translation>Med företagsprefixet %1 har artikelnumret högst %2 siffror.</translation>
    </message>
    <message>
        <source>A sequence has 1 to %1 numbers.</source>
        <translation>En serie har 1 till %1 nummer.</translation>
    </message>
</context>
<context>
    <name>NumberSequenceDialog</name>
    <message>
        <source>Number Sequence</source>
        <translation>Nummerserie</translation>
    </message>
    <message>
        <source>Item {n}</source>
        <translation>Artikel {n}</translation>
    </message>
    <message>
        <source>{n} stands for the number&apos;s place in the sequence: 1, 2, 3, ...</source>
        <translation>{n} står för numrets plats i serien: 1, 2, 3, ...</translation>
    </message>
    <message>
        <source>Company &amp;prefix:</source>
        <translation>&amp;Företagsprefix:</translation>
    </message>
    <message>
        <source>&amp;First item reference:</source>
        <translation>Första &amp;artikelnummer:</translation>
    </message>
    <message>
        <source>&amp;Count:</source>
        <translation>An&amp;tal:</translation>
    </message>
    <message>
        <source>Product &amp;name:</source>
        <translation>Produkt&amp;namn:</translation>
    </message>
</context>
<context>
    <name>PagePreviewDialog</name>
    <message>
        <source>First page</source>
        <translation>Första sidan</translation>
    </message>
    <message>
        <source>Previous page</source>
        <translation>Föregående sida</translation>
    </message>
    <message>
        <source>Next page</source>
        <translation>Nästa sida</translation>
    </message>
    <message>
        <source>Last page</source>
        <translation>Sista sidan</translation>
    </message>
    <message>
        <source>of </source>
        <translation>av </translation>
    </message>
    <message>
        <source>&amp;Print...</source>
        <translation>Skriv &amp;ut...</translation>
    </message>
    <message>
        <source>&amp;Close</source>
        <translation>&amp;Stäng</translation>
    </message>
</context>
<context>
    <name>PrintCommands</name>
    <message>
        <source>Sorry! Nothing to Print.</source>
        <translation>Tyvärr! Det finns inget att skriva ut.</translation>
    </message>
    <message>
        <source>Print List</source>
        <translation>Skriv ut lista</translation>
    </message>
    <message>
        <source>Print Preview</source>
        <translation>Förhandsgranska utskrift</translation>
    </message>
    <message>
        <source>Print Barcodes Image List</source>
        <translation>Skriv ut bildlista med streckkoder</translation>
    </message>
</context>
<context>
    <name>RuntimeError</name>
    <message>
        <source>Programming Error</source>
        <translation>Programmeringsfel</translation>
    </message>
    <message>
        <source>File Error</source>
        <translation>Filfel</translation>
    </message>
    <message>
        <source>Memory Error</source>
        <translation>Minnesfel</translation>
    </message>
    <message>
        <source>User Error</source>
        <translation>Användarfel</translation>
    </message>
    <message>
        <source>System Error</source>
        <translation>Systemfel</translation>
    </message>
    <message>
        <source>Printer Error</source>
        <translation>Skrivarfel</translation>
    </message>
    <message>
        <source>Return without GoSub.</source>
        <translation>Return utan GoSub.</translation>
    </message>
    <message>
        <source>Overflow.</source>
        <translation>Överflöde.</translation>
    </message>
    <message>
        <source>Out of Memory.</source>
        <translation>Slut på minne.</translation>
    </message>
    <message>
        <source>Subscript out of Range.</source>
        <translation>Index utanför giltigt intervall.</translation>
    </message>
    <message>
        <source>Devide by Zero.</source>
        <translation>Division med noll.</translation>
    </message>
    <message>
        <source>Out of string space.</source>
        <translation>Slut på strängutrymme.</translation>
    </message>
    <message>
        <source>User interrupt occurred.</source>
        <translation>Avbrutet av användaren.</translation>
    </message>
    <message>
        <source>Out of stack space.</source>
        <translation>Slut på stackutrymme.</translation>
    </message>
    <message>
        <source>Error in loading DLL.</source>
        <translation>Fel vid inläsning av DLL.</translation>
    </message>
    <message>
        <source>Internal Error.</source>
        <translation>Internt fel.</translation>
    </message>
    <message>
        <source>Bad file mame or number.</source>
        <translation>Felaktigt filnamn eller filnummer.</translation>
    </message>
    <message>
        <source>File dosen&apos;t exist. Please try again.</source>
        <translation>Filen finns inte. Försök igen.</translation>
    </message>
    <message>
        <source>Bad file mode.</source>
        <translation>Felaktigt filläge.</translation>
    </message>
    <message>
        <source>File already open.</source>
        <translation>Filen är redan öppen.</translation>
    </message>
    <message>
        <source>Device I/O Error.</source>
        <translation>I/O-fel på enheten.</translation>
    </message>
    <message>
        <source>File already exists.</source>
        <translation>Filen finns redan.</translation>
    </message>
    <message>
        <source>Bad record length.</source>
        <translation>Felaktig postlängd.</translation>
    </message>
    <message>
        <source>Disk Full.</source>
        <translation>Disken är full.</translation>
    </message>
    <message>
        <source>Input past end of file.</source>
        <translation>Läsning efter filens slut.</translation>
    </message>
    <message>
        <source>Bad record number.</source>
        <translation>Felaktigt postnummer.</translation>
    </message>
    <message>
        <source>To many files.</source>
        <translation>För många filer.</translation>
    </message>
    <message>
        <source>Device unavailable.</source>
        <translation>Enheten är inte tillgänglig.</translation>
    </message>
    <message>
        <source>Permission denied.</source>
        <translation>Åtkomst nekad.</translation>
    </message>
    <message>
        <source>Disk not ready.</source>
        <translation>Disken är inte klar.</translation>
    </message>
    <message>
        <source>Path/File access error.</source>
        <translation>Fel vid åtkomst till sökväg/fil.</translation>
    </message>
    <message>
        <source>Unknown Error.</source>
        <translation>Okänt fel.</translation>
    </message>
    <message>
        <source>Dynamic Data Exchange Error.</source>
        <translation>Fel i dynamiskt datautbyte (DDE).</translation>
    </message>
    <message>
        <source>OLE Automation Error.</source>
        <translation>OLE-automatiseringsfel.</translation>
    </message>
    <message>
        <source>Misellaneous Errors.</source>
        <translation>Diverse fel.</translation>
    </message>
    <message>
        <source>Invalid Clipboard format.</source>
        <translation>Ogiltigt format i Urklipp.</translation>
    </message>
    <message>
        <source>Can&apos;t create AutoRedraw image.</source>
        <translation>Det går inte att skapa AutoRedraw-bilden.</translation>
    </message>
    <message>
        <source>Invalid Picture.</source>
        <translation>Ogiltig bild.</translation>
    </message>
    <message>
        <source>Printer Error.</source>
        <translation>Skrivarfel.</translation>
    </message>
    <message>
        <source>Printer driver doesn&apos;t support specified property.</source>
        <translation>Skrivardrivrutinen stöder inte den angivna egenskapen.</translation>
    </message>
    <message>
        <source>Problem getting printer information from the system. Make sure the printer is set up correctly.</source>
        <translation>Det gick inte att hämta skrivarinformation från systemet. Kontrollera att skrivaren är korrekt installerad.</translation>
    </message>
    <message>
        <source>Invalid Picture type.</source>
        <translation>Ogiltig bildtyp.</translation>
    </message>
    <message>
        <source>Can&apos;t empty Clipboard.</source>
        <translation>Det går inte att tömma Urklipp.</translation>
    </message>
    <message>
        <source>Can&apos;t open Clipboard.</source>
        <translation>Det går inte att öppna Urklipp.</translation>
    </message>
    <message>
        <source>Grid Control Errors.</source>
        <translation>Fel i rutnätskontrollen.</translation>
    </message>
    <message>
        <source>OLE Control Errors.</source>
        <translation>Fel i OLE-kontrollen.</translation>
    </message>
    <message>
        <source>Unknown Error. Error code=</source>
        <translation>Okänt fel. Felkod=</translation>
    </message>
</context>
<context>
    <name>SheetPrinter</name>
    <message>
        <source>Start at label %1: a sheet of %2 has labels 1 to %3.</source>
        <translation>Börja vid etikett %1: ett ark av %2 har etiketterna 1 till %3.</translation>
    </message>
    <message>
        <source>Copies take a whole number from 1 to 999, not %1.</source>
        <translation>Antal kopior ska vara ett heltal från 1 till 999, inte %1.</translation>
    </message>
    <message>
        <source>The printer resolution takes 72 to 4800 dpi, not %1.</source>
        <translation>Skrivarens upplösning ska vara 72 till 4800 dpi, inte %1.</translation>
    </message>
    <message>
        <source>A calibration offset takes -50 to 50 mm.</source>
        <translation>En kalibreringsförskjutning ska vara -50 till 50 mm.</translation>
    </message>
    <message>
        <source>A calibration scale takes 90 to 110 %.</source>
        <translation>En kalibreringsskala ska vara 90 till 110 %.</translation>
    </message>
    <message>
        <source>The pages could not be started.</source>
        <translation>Sidorna kunde inte påbörjas.</translation>
    </message>
    <message>
        <source>%1 is left out: %2</source>
        <translation>%1 utelämnas: %2</translation>
    </message>
    <message>
        <source>its 2D symbol, %1 x %2 mm with its quiet zone, does not fit a %3 label.</source>
        <translation>dess 2D-symbol, %1 x %2 mm med sin tysta zon, får inte plats på en %3-etikett.</translation>
    </message>
    <message>
        <source>its label and its 2D symbol, %1 mm wide, do not fit a %2 label with bars of at least %3 mm.</source>
        <translation>dess etikett och 2D-symbol, %1 mm breda, får inte plats på en %2-etikett med streck på minst %3 mm.</translation>
    </message>
</context>
<context>
    <name>TiffPipeline</name>
    <message>
        <source>At %1 dpi the barcode of %2 is %3 pixels wide, fewer than its %4 modules: no file was made.</source>
        <translation>Vid %1 dpi är streckkoden för %2 %3 bildpunkter bred, färre än dess %4 moduler: ingen fil skapades.</translation>
    </message>
    <message>
        <source>Rescaleing %1, Copy=1</source>
        <translation>Skalar om %1, kopia=1</translation>
    </message>
    <message>
        <source>Mirror, Rotate.... %1, Copy=1</source>
        <translation>Spegla, rotera.... %1, kopia=1</translation>
    </message>
    <message>
        <source>Compressing %1, Copy=1</source>
        <translation>Komprimerar %1, kopia=1</translation>
    </message>
    <message>
        <source>Can&apos;t make a %1 dpi file, not even at 1/%2 of its size.</source>
        <translation>Det går inte att skapa en %1 dpi-fil, inte ens i 1/%2 av dess storlek.</translation>
    </message>
    <message>
        <source>TIFF Error</source>
        <translation>TIFF-fel</translation>
    </message>
    <message>
        <source>Now Processing.... %1</source>
        <translation>Bearbetar nu.... %1</translation>
    </message>
    <message>
        <source>Processing.... %1</source>
        <translation>Bearbetar.... %1</translation>
    </message>
    <message>
        <source>Enlarge.... %1</source>
        <translation>Förstorar.... %1</translation>
    </message>
    <message>
        <source>Saveing.... %1, Copy=1</source>
        <translation>Sparar.... %1, kopia=1</translation>
    </message>
    <message>
        <source>Saveing.... %1, Copy=%2</source>
        <translation>Sparar.... %1, kopia=%2</translation>
    </message>
    <message>
        <source>Now Saveing...%1 ,Copy %2</source>
        <translation>Sparar nu...%1 ,kopia %2</translation>
    </message>
</context>
<context>
    <name>WizStart</name>
    <message>
        <source>Getting started</source>
        <translation>Komma igång</translation>
    </message>
    <message>
        <source>&lt;ol&gt;&lt;li&gt;Choose the barcode type and, if you need one, a supplement.&lt;/li&gt;&lt;li&gt;Type the digits without the check digit; it is added for you.&lt;/li&gt;&lt;li&gt;Type the product text to print under the barcode.&lt;/li&gt;&lt;li&gt;Press &lt;b&gt;Make Code&lt;/b&gt;, then copy, drag, list, print or save the label.&lt;/li&gt;&lt;/ol&gt;</source>
        <translation>&lt;ol&gt;&lt;li&gt;Välj streckkodstyp och, om du behöver ett, ett tillägg.&lt;/li&gt;&lt;li&gt;Skriv siffrorna utan kontrollsiffran; den läggs till åt dig.&lt;/li&gt;&lt;li&gt;Skriv produkttexten som ska skrivas ut under streckkoden.&lt;/li&gt;&lt;li&gt;Tryck på &lt;b&gt;Skapa kod&lt;/b&gt; och kopiera, dra, lägg i listan, skriv ut eller spara sedan etiketten.&lt;/li&gt;&lt;/ol&gt;</translation>
    </message>
    <message>
        <source>&amp;Close</source>
        <translation>&amp;Stäng</translation>
    </message>
</context>
<context>
    <name>frmBarSize</name>
    <message>
        <source>Barcode Size</source>
        <translation>Streckkodsstorlek</translation>
    </message>
    <message>
        <source>Press F1 for Help</source>
        <translation>Tryck F1 för hjälp</translation>
    </message>
    <message>
        <source>Scale Mode</source>
        <translation>Måttenhet</translation>
    </message>
    <message>
        <source>&amp;Millimeter (mm)</source>
        <translation>&amp;Millimeter (mm)</translation>
    </message>
    <message>
        <source>I&amp;nches (&quot;)</source>
        <translation>T&amp;um (&quot;)</translation>
    </message>
    <message>
        <source>&amp;Width</source>
        <translation>&amp;Bredd</translation>
    </message>
    <message>
        <source>&amp;Height</source>
        <translation>&amp;Höjd</translation>
    </message>
    <message>
        <source>Resolution</source>
        <translation>Upplösning</translation>
    </message>
    <message>
        <source>U&amp;ser dpi</source>
        <translation>&amp;Egen dpi</translation>
    </message>
    <message>
        <source>Click Here for dpi</source>
        <translation>Klicka här för dpi</translation>
    </message>
    <message>
        <source>&amp;Use Defined Barcode</source>
        <translation>Använd &amp;definierad streckkodsstorlek</translation>
    </message>
    <message>
        <source>&amp;Use Minimum</source>
        <translation>Använd m&amp;inimum</translation>
    </message>
    <message>
        <source>&amp;Register Size</source>
        <translation>&amp;Registrera storlek</translation>
    </message>
    <message>
        <source>Show Barcode (Select Barcode)</source>
        <translation>Visa streckkod (välj streckkod)</translation>
    </message>
    <message>
        <source>F&amp;ont</source>
        <translation>&amp;Teckensnitt</translation>
    </message>
    <message>
        <source>Change &amp;Font</source>
        <translation>Byt &amp;teckensnitt</translation>
    </message>
    <message>
        <source>&amp;Small Font</source>
        <translation>&amp;Litet teckensnitt</translation>
    </message>
    <message>
        <source>&amp;Color</source>
        <translation>&amp;Färg</translation>
    </message>
    <message>
        <source>&amp;Background Color Barcode</source>
        <translation>&amp;Bakgrundsfärg streckkod</translation>
    </message>
    <message>
        <source>Back&amp;ground Color Text</source>
        <translation>Bakgrundsfärg te&amp;xt</translation>
    </message>
    <message>
        <source>&amp;Barcode</source>
        <translation>Streck&amp;kod</translation>
    </message>
    <message>
        <source>Pixel Align</source>
        <translation>Justera mot pixlar</translation>
    </message>
    <message>
        <source>Retain &amp;Aspect Ratio</source>
        <translation>Behåll &amp;proportioner</translation>
    </message>
    <message>
        <source>&amp;Left</source>
        <translation>&amp;Vänster</translation>
    </message>
    <message>
        <source>Cen&amp;ter</source>
        <translation>&amp;Centrerad</translation>
    </message>
    <message>
        <source>&amp;Right</source>
        <translation>&amp;Höger</translation>
    </message>
    <message>
        <source>&amp;Close</source>
        <translation>&amp;Stäng</translation>
    </message>
    <message>
        <source>Width: Fill in the Width for the Barcode to the right.</source>
        <translation>Bredd: Fyll i streckkodens bredd till höger.</translation>
    </message>
    <message>
        <source>Height: Fill in the Height for the Barcode to the right.</source>
        <translation>Höjd: Fyll i streckkodens höjd till höger.</translation>
    </message>
    <message>
        <source>Fill in the Width for the Barcode.</source>
        <translation>Fyll i streckkodens bredd.</translation>
    </message>
    <message>
        <source>Fill in the Height for the Barcode.</source>
        <translation>Fyll i streckkodens höjd.</translation>
    </message>
    <message>
        <source>Millimeter(mm): All measurements is in MilliMeters.</source>
        <translation>Millimeter(mm): Alla mått anges i millimeter.</translation>
    </message>
    <message>
        <source>Inches (&quot;): All measurements is in Inches.</source>
        <translation>Tum (&quot;): Alla mått anges i tum.</translation>
    </message>
    <message>
        <source>If it&apos;s checked then this size for the Barcode is default.</source>
        <translation>Om rutan är markerad är denna storlek standard för streckkoden.</translation>
    </message>
    <message>
        <source>Actual barcode on the label</source>
        <translation>Den verkliga streckkoden på etiketten</translation>
    </message>
    <message>
        <source>Press F1 to get help.</source>
        <translation>Tryck F1 för att få hjälp.</translation>
    </message>
    <message>
        <source>&amp;Normal Font</source>
        <translation>&amp;Normalt teckensnitt</translation>
    </message>
    <message>
        <source>Only Height is used for Code 39</source>
        <translation>Endast höjden används för Code 39</translation>
    </message>
    <message>
        <source>Font</source>
        <translation>Teckensnitt</translation>
    </message>
    <message>
        <source>Background Color Barcode</source>
        <translation>Bakgrundsfärg streckkod</translation>
    </message>
    <message>
        <source>Background Color Text</source>
        <translation>Bakgrundsfärg text</translation>
    </message>
    <message>
        <source>EAN and UPC</source>
        <translation>EAN och UPC</translation>
    </message>
    <message>
        <source>Warning: at %1 dpi the symbol does not fit this width and its bars are cut off. Make it wider or choose a higher dpi.</source>
        <translation>Varning: vid %1 dpi får symbolen inte plats i den här bredden och dess streck skärs av. Gör den bredare eller välj högre dpi.</translation>
    </message>
    <message>
        <source>Warning: the bars are too narrow, many scanners will fail to read this %1 symbol (smallest X %2). Make it larger.</source>
        <translation>Varning: strecken är för smala, många läsare kommer inte att kunna läsa denna %1-symbol (minsta X %2). Gör den större.</translation>
    </message>
    <message>
        <source>Warning: the bars are wider than %1 allows (largest X %2). Make it smaller.</source>
        <translation>Varning: strecken är bredare än %1 tillåter (största X %2). Gör den mindre.</translation>
    </message>
    <message>
        <source>Code 39 or Code 3 of 9: Only the Height is used as the Width is flexible</source>
        <translation>Code 39 eller Code 3 of 9: Endast höjden används eftersom bredden är flexibel</translation>
    </message>
    <message>
        <source>: Look how the Barcode fits the label.</source>
        <translation>: Se hur streckkoden passar på etiketten.</translation>
    </message>
    <message>
        <source>Artwork (SVG, PDF, EPS)</source>
        <translation>Original (SVG, PDF, EPS)</translation>
    </message>
    <message>
        <source>Quiet-zone marks &lt; &gt;</source>
        <translation>Markeringar för frizon &lt; &gt;</translation>
    </message>
    <message>
        <source>Transparent background (SVG, EPS)</source>
        <translation>Genomskinlig bakgrund (SVG, EPS)</translation>
    </message>
    <message>
        <source>Magnification %</source>
        <translation>Förstoring %</translation>
    </message>
    <message>
        <source>X-dimension</source>
        <translation>X-dimension</translation>
    </message>
    <message>
        <source>Bar width reduction</source>
        <translation>Streckbreddsreduktion</translation>
    </message>
    <message>
        <source>2D Symbol</source>
        <translation>2D-symbol</translation>
    </message>
    <message>
        <source>M&amp;odule</source>
        <translation>M&amp;odul</translation>
    </message>
    <message>
        <source>The module of the 2D symbols (Edit, GS1 Data), in millimetres.</source>
        <translation>Modulen för 2D-symbolerna (Redigera, GS1-data), i millimeter.</translation>
    </message>
    <message>
        <source>SCC-14 Bearer Bars</source>
        <translation>Bärlister för SCC-14</translation>
    </message>
    <message>
        <source>Non&amp;e</source>
        <translation>In&amp;ga</translation>
    </message>
    <message>
        <source>To&amp;p and Bottom</source>
        <translation>&amp;Över och under</translation>
    </message>
    <message>
        <source>&amp;Frame</source>
        <translation>R&amp;am</translation>
    </message>
    <message>
        <source>Bearer bars of SCC-14, 5 modules thick: none, along the top and bottom, or a frame around the quiet zones.</source>
        <translation>Bärlister för SCC-14, 5 moduler tjocka: inga, längs över- och underkanten, eller en ram runt frizonerna.</translation>
    </message>
</context>
<context>
    <name>frmFind</name>
    <message>
        <source>Find</source>
        <translation>Sök</translation>
    </message>
    <message>
        <source>&amp;File</source>
        <translation>&amp;Arkiv</translation>
    </message>
    <message>
        <source>Save &amp;As</source>
        <translation>Spara so&amp;m</translation>
    </message>
    <message>
        <source>&amp;Close</source>
        <translation>&amp;Stäng</translation>
    </message>
    <message>
        <source>Search for:</source>
        <translation>Sök efter:</translation>
    </message>
    <message>
        <source>&amp;Search</source>
        <translation>&amp;Sök</translation>
    </message>
    <message>
        <source>&amp;Product</source>
        <translation>&amp;Produkt</translation>
    </message>
    <message>
        <source>&amp;Barcode</source>
        <translation>Streck&amp;kod</translation>
    </message>
    <message>
        <source>&amp;Digit Sup.</source>
        <translation>&amp;Tillägg</translation>
    </message>
    <message>
        <source>&amp;Free Text</source>
        <translation>&amp;Fritext</translation>
    </message>
    <message>
        <source>&amp;Type</source>
        <translation>T&amp;yp</translation>
    </message>
    <message>
        <source>Check &amp;All</source>
        <translation>Markera a&amp;lla</translation>
    </message>
    <message>
        <source>Items Found:</source>
        <translation>Hittade poster:</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Check All: If checked, All bove is checked and included in search.</source>
        <translation>Markera alla: Om rutan är markerad markeras allt ovan och tas med i sökningen.</translation>
    </message>
    <message>
        <source>Barcode: If checked it&apos;s included in search.</source>
        <translation>Streckkod: Om rutan är markerad tas den med i sökningen.</translation>
    </message>
    <message>
        <source>Digit Sup.: If checked it&apos;s included in search.</source>
        <translation>Tillägg: Om rutan är markerad tas det med i sökningen.</translation>
    </message>
    <message>
        <source>Free Text: If checked it&apos;s included in search.</source>
        <translation>Fritext: Om rutan är markerad tas den med i sökningen.</translation>
    </message>
    <message>
        <source>Product: If checked it&apos;s included in search.</source>
        <translation>Produkt: Om rutan är markerad tas den med i sökningen.</translation>
    </message>
    <message>
        <source>Type: If checked it&apos;s included in search.</source>
        <translation>Typ: Om rutan är markerad tas den med i sökningen.</translation>
    </message>
    <message>
        <source>Click on OK to close this window</source>
        <translation>Klicka på OK för att stänga fönstret</translation>
    </message>
    <message>
        <source>To start the search, click here.</source>
        <translation>Klicka här för att starta sökningen.</translation>
    </message>
    <message>
        <source>&gt;&gt; move the barcode Image to the Barcode Image List.</source>
        <translation>&gt;&gt; flyttar streckkodsbilden till bildlistan med streckkoder.</translation>
    </message>
    <message>
        <source>Press F1 for Help</source>
        <translation>Tryck F1 för hjälp</translation>
    </message>
    <message>
        <source>Enter the word you want to search for, to the right.</source>
        <translation>Skriv in ordet du vill söka efter till höger.</translation>
    </message>
    <message>
        <source>To the right you will see how many items where found</source>
        <translation>Till höger ser du hur många poster som hittades</translation>
    </message>
    <message>
        <source>Number of items found</source>
        <translation>Antal hittade poster</translation>
    </message>
    <message>
        <source>Any item found is shown here</source>
        <translation>Alla poster som hittas visas här</translation>
    </message>
    <message>
        <source>Enter text/digits to search for (Doesn&apos;t support * or ? wildcards).</source>
        <translation>Skriv in text/siffror att söka efter (jokertecknen * och ? stöds inte).</translation>
    </message>
    <message>
        <source>Save As</source>
        <translation>Spara som</translation>
    </message>
    <message>
        <source>Save Barcode List (*.QZ2 *.qz2)</source>
        <translation>Spara streckkodslista (*.QZ2 *.qz2)</translation>
    </message>
</context>
<context>
    <name>frmLabels</name>
    <message>
        <source>Print Labels</source>
        <translation>Skriv ut etiketter</translation>
    </message>
    <message>
        <source>Ed&amp;it Sheet...</source>
        <translation>&amp;Redigera ark...</translation>
    </message>
    <message>
        <source>Delete S&amp;heet</source>
        <translation>Ta b&amp;ort ark</translation>
    </message>
    <message>
        <source>Ne&amp;w Sheet...</source>
        <translation>N&amp;ytt ark...</translation>
    </message>
    <message>
        <source> mm</source>
        <translation> mm</translation>
    </message>
    <message>
        <source>&amp;Label sheet:</source>
        <translation>&amp;Etikettark:</translation>
    </message>
    <message>
        <source>&amp;Start at label:</source>
        <translation>&amp;Börja vid etikett:</translation>
    </message>
    <message>
        <source>&amp;Copies of each record:</source>
        <translation>&amp;Kopior av varje post:</translation>
    </message>
    <message>
        <source>Printer calibration</source>
        <translation>Skrivarkalibrering</translation>
    </message>
    <message>
        <source>Pri&amp;nter:</source>
        <translation>Skri&amp;vare:</translation>
    </message>
    <message>
        <source>Move &amp;right:</source>
        <translation>Flytta åt &amp;höger:</translation>
    </message>
    <message>
        <source>Move &amp;down:</source>
        <translation>Flytta &amp;nedåt:</translation>
    </message>
    <message>
        <source>Sc&amp;ale:</source>
        <translation>Ska&amp;la:</translation>
    </message>
    <message>
        <source>Calibration Pa&amp;ge...</source>
        <translation>Kalibrerings&amp;sida...</translation>
    </message>
    <message>
        <source>Print a page with rulers and crosshairs to measure the printer&apos;s offsets</source>
        <translation>Skriv ut en sida med linjaler och hårkors för att mäta skrivarens förskjutning</translation>
    </message>
    <message>
        <source>Previous page</source>
        <translation>Föregående sida</translation>
    </message>
    <message>
        <source>Next page</source>
        <translation>Nästa sida</translation>
    </message>
    <message>
        <source>&amp;Print...</source>
        <translation>Skriv &amp;ut...</translation>
    </message>
    <message>
        <source>Print Pre&amp;view...</source>
        <translation>&amp;Förhandsgranska utskrift...</translation>
    </message>
    <message>
        <source>Save as PD&amp;F...</source>
        <translation>Spara som PD&amp;F...</translation>
    </message>
    <message>
        <source>PDF file</source>
        <translation>PDF-fil</translation>
    </message>
    <message>
        <source>%1 records: %2 labels on %3 pages.</source>
        <translation>%1 poster: %2 etiketter på %3 sidor.</translation>
    </message>
    <message>
        <source>
%1 records do not fit this label and are left out, first %2</source>
        <translation>
%1 poster får inte plats på den här etiketten och utelämnas, först %2</translation>
    </message>
    <message>
        <source>Page %1 of %2</source>
        <translation>Sida %1 av %2</translation>
    </message>
    <message>
        <source>
... and %1 more.</source>
        <translation>
... och %1 till.</translation>
    </message>
    <message>
        <source>Printing labels...</source>
        <translation>Skriver ut etiketter...</translation>
    </message>
    <message>
        <source>Calibration Page</source>
        <translation>Kalibreringssida</translation>
    </message>
    <message>
        <source>The calibration page could not be printed.</source>
        <translation>Kalibreringssidan kunde inte skrivas ut.</translation>
    </message>
    <message>
        <source>My sheet</source>
        <translation>Mitt ark</translation>
    </message>
    <message>
        <source>Delete the label sheet %1?</source>
        <translation>Ta bort etikettarket %1?</translation>
    </message>
    <message>
        <source>Save as PDF</source>
        <translation>Spara som PDF</translation>
    </message>
    <message>
        <source>PDF (*.pdf)</source>
        <translation>PDF (*.pdf)</translation>
    </message>
    <message>
        <source>Writing %1...</source>
        <translation>Skriver %1...</translation>
    </message>
    <message>
        <source>No label fits this sheet: nothing was written.</source>
        <translation>Ingen etikett får plats på det här arket: ingenting skrevs.</translation>
    </message>
</context>
<context>
    <name>frmTiff</name>
    <message>
        <source>TIFF Parameters</source>
        <translation>TIFF-parametrar</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>Spara</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>TIFF Resolution</source>
        <translation>TIFF-upplösning</translation>
    </message>
    <message>
        <source>Save TIF picture at</source>
        <translation>Spara TIF-bild med</translation>
    </message>
    <message>
        <source>Screen dpi</source>
        <translation>Skärmens dpi</translation>
    </message>
    <message>
        <source>dpi</source>
        <translation>dpi</translation>
    </message>
    <message>
        <source>TIFF Functions</source>
        <translation>TIFF-funktioner</translation>
    </message>
    <message>
        <source>Invert Image</source>
        <translation>Invertera bild</translation>
    </message>
    <message>
        <source>ISBN Font</source>
        <translation>ISBN-teckensnitt</translation>
    </message>
    <message>
        <source>Don&apos;t Mirror</source>
        <translation>Spegla inte</translation>
    </message>
    <message>
        <source>Mirror Horizontal</source>
        <translation>Spegla vågrätt</translation>
    </message>
    <message>
        <source>Mirror Vertical</source>
        <translation>Spegla lodrätt</translation>
    </message>
    <message>
        <source>Mirror Image</source>
        <translation>Spegelvänd bild</translation>
    </message>
    <message>
        <source>Don&apos;t Rotate</source>
        <translation>Rotera inte</translation>
    </message>
    <message>
        <source>90 degrees</source>
        <translation>90 grader</translation>
    </message>
    <message>
        <source>180 degrees</source>
        <translation>180 grader</translation>
    </message>
    <message>
        <source>270 degrees</source>
        <translation>270 grader</translation>
    </message>
    <message>
        <source>Rotate Image</source>
        <translation>Rotera bild</translation>
    </message>
    <message>
        <source>No Compression</source>
        <translation>Ingen komprimering</translation>
    </message>
    <message>
        <source>Huffman</source>
        <translation>Huffman</translation>
    </message>
    <message>
        <source>Group 3</source>
        <translation>Grupp 3</translation>
    </message>
    <message>
        <source>Group 4</source>
        <translation>Grupp 4</translation>
    </message>
    <message>
        <source>TIFF Compression</source>
        <translation>TIFF-komprimering</translation>
    </message>
    <message>
        <source>Adjust Width / Height</source>
        <translation>Justera bredd / höjd</translation>
    </message>
    <message>
        <source>Adjust Barcode Width to Defiend Width</source>
        <translation>Anpassa streckkodens bredd till den definierade bredden</translation>
    </message>
    <message>
        <source>Adjust Barcode Height to Defined Height</source>
        <translation>Anpassa streckkodens höjd till den definierade höjden</translation>
    </message>
    <message>
        <source>Save TIFF Copies</source>
        <translation>Spara TIFF-kopior</translation>
    </message>
    <message>
        <source>Copies of each TIFF.</source>
        <translation>Kopior av varje TIFF.</translation>
    </message>
    <message>
        <source>Verify each file</source>
        <translation>Kontrollera varje fil</translation>
    </message>
    <message>
        <source>Read every exported file back and report the ones that do not scan</source>
        <translation>Läs tillbaka varje exporterad fil och rapportera de som inte går att läsa av</translation>
    </message>
    <message>
        <source>Ask at start up</source>
        <translation>Fråga vid start</translation>
    </message>
    <message>
        <source>Always use 256 color mode at start up</source>
        <translation>Använd alltid 256-färgsläge vid start</translation>
    </message>
    <message>
        <source>Don&apos;t Ask and don&apos;t change to 256 colors</source>
        <translation>Fråga inte och byt inte till 256 färger</translation>
    </message>
    <message>
        <source>Start up Color mode change to 256 colors</source>
        <translation>Byte av färgläge till 256 färger vid start</translation>
    </message>
    <message>
        <source>&amp;256 Colors (8 Bit)</source>
        <translation>&amp;256 färger (8 bitar)</translation>
    </message>
    <message>
        <source>This desktop cannot switch to 256 colors, and TIFF files do not depend on the display&apos;s color depth.</source>
        <translation>Det här skrivbordet kan inte växla till 256 färger, och TIFF-filer påverkas inte av skärmens färgdjup.</translation>
    </message>
    <message>
        <source>Monitor Resolution</source>
        <translation>Skärmupplösning</translation>
    </message>
    <message>
        <source>&amp;Change Resolution Now</source>
        <translation>&amp;Ändra upplösning nu</translation>
    </message>
    <message>
        <source>Save TIF picture in the same Resolution as my printer %1</source>
        <translation>Spara TIF-bilden med samma upplösning som min skrivare %1</translation>
    </message>
    <message>
        <source> - no printer found</source>
        <translation> - ingen skrivare hittades</translation>
    </message>
    <message>
        <source>%1 &amp;Bit Color</source>
        <translation>%1 &amp;bitars färg</translation>
    </message>
    <message>
        <source>Max resolution is 4800 dpi</source>
        <translation>Högsta upplösningen är 4800 dpi</translation>
    </message>
    <message>
        <source>Max 4800 dpi</source>
        <translation>Högst 4800 dpi</translation>
    </message>
    <message>
        <source>Min. resolution is 300 dpi</source>
        <translation>Lägsta upplösningen är 300 dpi</translation>
    </message>
</context>
</TS>
