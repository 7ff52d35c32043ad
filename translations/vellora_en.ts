<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US">
<context>
    <name>AddViewController</name>
    <message>
        <source>Add Stamp</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Save</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Required Fields in RED not Entered</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Alert</name>
    <message>
        <source>OK</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>AppDelegate</name>
    <message>
        <source>Unresolved error %1, %2</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Application</name>
    <message>
        <source>Fatal error</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Camera</name>
    <message>
        <source>Take Picture</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Pictures cannot be taken on this computer: Qt Multimedia could not load its GStreamer or FFmpeg support.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No camera was found on this computer.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The picture could not be taken: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The camera cannot be used: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The camera sent no picture. Please try again.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ChartFiles</name>
    <message>
        <source>The chart could not be made into a PNG picture.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>A chart of the stamp collection, made by Vellora</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The chart could not be drawn as SVG.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 was not written: a chart is saved as a PNG picture (.png) or an SVG drawing (.svg).</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The chart could not be written to %1: %2</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>CollectionGlance</name>
    <message>
        <source>Your Collection</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Added last</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The collection could not be read: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 stamps held, worth %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>A stamp without a name</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No stamps yet</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>CollectionStatistics</name>
    <message>
        <source>The collection&apos;s totals could not be read</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The stamps by year of issue could not be read</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Other</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>(No Year)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1s</source>
        <comment>a decade: 1840s</comment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The stamps by country and status could not be read</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>CommandLine</name>
    <message>
        <source>Scott number</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>year</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>country</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>denomination</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>status</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>There is no collection in %1 (no %2)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The stamps could not be read: </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No stamps with %1 %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No stamps in the collection</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Stamps exported: %1
</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Could not read %1: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 Is The Incorrect Import File</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>This collection is read-only: nothing was imported</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1; nothing was imported</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Keep the collection and the settings in &lt;folder&gt;.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>folder</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Write the report of one group of stamps (KIND VALUE, KIND one of year, country, denomination, scott, status) or of all stamps (all) as a PDF file, without a window.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>kind</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The PDF file --report writes; an earlier file is replaced.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>file</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Write every stamp to the export file &lt;file&gt;, without a window; an earlier file is replaced.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Merge the stamps of the export file &lt;file&gt; into the collection, without a window, after a backup of the store in its Backups folder.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>A catalogue of a postage-stamp collection</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The group&apos;s value, after --report KIND.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>[value]</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Unexpected argument &quot;%1&quot;.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Usage: vellora --report KIND VALUE --output FILE.pdf, or vellora --report all --output FILE.pdf</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>--output is only used with --report.
</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Unknown report kind &quot;%1&quot;: use %2.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>year, country, denomination, scott, status or all</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>--report %1 needs the %2 to report on.
%3</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Unexpected argument &quot;%1&quot;.
%2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The year must be a whole number, such as 1962, not &quot;%1&quot;.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>--output FILE.pdf is missing: where should the report go?
</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Write every stamp to &lt;file&gt; as CSV for a spreadsheet (UTF-8, a header row, no pictures), without a window; an earlier file is replaced.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Backup of the collection before the restore: %1
The collection was restored from %2
</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Put the collection of the backup &lt;file&gt; in the store&apos;s place, without a window, after a backup of the store as it is in its Backups folder; a file that is not a sound backup is refused and changes nothing.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Use one of --export, --export-csv, --import, --restore and --report.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>EditViewController</name>
    <message>
        <source>Edit Stamp</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Save</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Notes</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Remove Stamp Image</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Do You Want to Remove This Image?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Yes</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Status N/A
</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>N/A
</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Notes: N/A
</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Notes: </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Can&apos;t Send Text Message</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Your device is not able to send text messages.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Click</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The stamp is no longer in the collection.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ExportFile</name>
    <message>
        <source>The export file could not be written: </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The stamps could not be read: </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The export file could not be created: </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The pictures could not be read: </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>A picture could not be written: </source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ExportImportViewController</name>
    <message>
        <source>Export / Import</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Export Stamps</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Import Stamps</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ExportViewController</name>
    <message>
        <source>Export Stamps</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Create Export File</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Save To Files</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Email File</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The folder %1 could not be made</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Exporting the stamps…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Data Export File</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The export file could not be made: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The export file could not be read back: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 of %2 stamps written</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The export file is no longer there: create the export file again.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The export file could not be read: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Process Complete - File Ready to Save to Files or Email</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Sending Email</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Email not Setup or Unavailable</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Vellora Update Text File</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Attachment: Vellora Text File</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Export for Spreadsheet</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Writing the spreadsheet file…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Vellora Spreadsheet File</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Attachment: Vellora Spreadsheet File</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Step 1: Create the Export File
Step 2: Option 1: Click &apos;Save To Files&apos; button and save Vellora.csv to a folder on this computer or a synced folder
             Option 2: Click the Email File button to email the file to yourself and then from your email save Vellora.csv to a folder on this computer or a synced folder. There are size limits to email attachments for most mail providers.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>GroupBreakdownViewController</name>
    <message>
        <source>Year</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Country</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Denomination</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Scott #</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Status</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Print All</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Making the report…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Year: %1  Country: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Qty: %1  Scott #: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Year: %1  Country:  %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Qty: %1  Scott #:  %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Scott #: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Qty: %1  Denomination:  %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Qty: %1  Scott #: %2  Status: %3</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Value: %1 Total Value: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Valuation for displayed stamps: </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Can&apos;t Send Text Message</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Your device is not able to send text messages.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Empty Data Set!</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No Stamps to Print!</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Could not create PDF file</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source># of Stamps: %1 (%2 copy)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source># of Stamps: %1 (%2 copies)</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>GroupSummaryViewController</name>
    <message>
        <source>Year</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Search By Year</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> Year&apos;s</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> Year</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Scott #</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Search By Scott #</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> Scott #&apos;s</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Status</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Search By Status</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> Status&apos;s</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> Status</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Denomination</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Search By Denomination</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> Denomination&apos;s</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> Denomination</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Country</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Search By Country</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> Countries</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> Country</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>GroupValueModel</name>
    <message>
        <source>%1 stamp</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 stamps</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 — %2</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>HandoverFiles</name>
    <message>
        <source>No folder for the files could be made in %1: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 could not be written: %2</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ImportFile</name>
    <message>
        <source>line %1: not saved: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>line %1: %2 &quot;%3&quot; %4</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>picture</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>is not a number</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>is not a whole number</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>is not Base64</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Stamps added: %1
Stamps updated: %2
Skipped (matched two or more stamps): %3
Fields not read: %4
</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Lines not imported (refused by the store): %1
</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>... and %1 more problems
</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Backup of the collection before the import: </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>is an incomplete picture</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>line %1: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Import cancelled: nothing was imported, the collection is as it was.
</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The import could not be saved, so nothing was imported and the collection is as it was: %1
</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the file could not be read to its end: %1</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ImportViewController</name>
    <message>
        <source>Import Stamps</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Load File</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Import File</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Choose the Export File</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>All files (*)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The file %1 could not be read: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The import was not done, because no backup of the collection could be made: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Importing the stamps…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Data Import File</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>File Loaded and Ready to Import</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Data Import</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 Is The Incorrect Import File</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Data File Import Completed</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>YOU CAN ONLY IMPORT THE FILE CREATED BY THIS APP.
1: Select the file Vellora.csv you saved to a folder on this computer or a synced folder
2: Import the file into your collection</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Save Summary…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Save the Import Summary</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Vellora Import Summary.txt</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Text files (*.txt)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Summary not Saved</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The summary could not be saved to %1: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Nothing was imported: %1</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ListTableViewController</name>
    <message>
        <source>Name</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Search by Denomination</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Year</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Search by Year</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Scott #</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Search by Scott #</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Value</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Search by Value</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Qty: %1  Scott #: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Qty: %1  Scott #:  %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Year: %1  Country: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Value: %1  Total Value: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Stamps</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source># Stamps = %1 of %2</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>MailComposer</name>
    <message>
        <source>No mail program was found: xdg-email is not installed.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The mail program could not be started (%1).</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>MainMenuViewController</name>
    <message>
        <source>Stamp List</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Grouped Stamps</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Add Stamp</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Valuation</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Reference Lists</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Print Stamps</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Export / Import</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Overview</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Rate &amp; Share</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Main Menu</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Menu</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Settings Not Saved</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The settings could not be saved: </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Read-Only Collection</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>This collection is read-only: changes cannot be saved</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The reference lists could not be filled: </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Statistics</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Settings</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>MainWindow</name>
    <message>
        <source>Sections</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;File</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;New Stamp</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Import...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Export...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Export for &amp;Spreadsheet...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Print...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Back Up Now</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Open &amp;Data Folder</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Quit</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Edit</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Undo</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Delete</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Find</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Se&amp;ttings...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;View</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Show &amp;Sidebar</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Toolbar</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Show &amp;Toolbar</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Full Screen</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Lists</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Overview</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Keyboard Shortcuts</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Rate &amp;&amp; Share</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;About Vellora</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>About &amp;Qt</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Read-only: changes cannot be saved</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The collection was backed up to %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No Backup Made</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Keyboard Shortcuts</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Action</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Keys</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Back</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Save the form</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>unknown</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>About Vellora</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&lt;h3&gt;Vellora %1&lt;/h3&gt;&lt;p&gt;A catalogue of a postage-stamp collection.&lt;/p&gt;&lt;p&gt;Data folder: %2&lt;/p&gt;&lt;p&gt;Qt %3, SQLite %4&lt;/p&gt;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The figures could not be read</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Stamps held: %1    Value: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 - Vellora</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>NavigationController</name>
    <message>
        <source>Back (%1, %2)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Back</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>NotesViewController</name>
    <message>
        <source>Notes</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Save</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ObjectContext</name>
    <message>
        <source>Fetch of %1 failed</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Count of %1 failed</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Reading the %1 values failed</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The totals of %1 could not be read</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The marker %1 could not be read</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Reading %1 failed</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>This collection is read-only: changes cannot be saved</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The store could not start a save</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>A new %1 could not be saved</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>A changed %1 could not be saved</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>A %1 could not be deleted</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The marker %1 could not be saved</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The save could not be completed</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>OverviewViewController</name>
    <message>
        <source>Vellora Overview</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The overview document could not be found. It should be at %1; installing Vellora again puts it back.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The overview document %1 could not be read: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The overview document %1 is damaged and cannot be shown.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>PersistentContainer</name>
    <message>
        <source>The data folder %1 could not be created</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The SQLite driver of Qt is not installed</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The store could not be opened</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The store is read-only and not up to date (store version %1, this version writes %2): open it once where it can be written</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The file is missing</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The copy was not finished</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The copy could not be opened</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The copy could not be read</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The copy is damaged: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The copy holds no table %1</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>PictureFile</name>
    <message>
        <source>No picture file was chosen.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 could not be found.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 is a folder, not a picture.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 is not a file Vellora can read.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 is too large to be a picture (%2 MB).</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 could not be read: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 is empty.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 is %2</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Pictures</name>
    <message>
        <source>too large: %1 x %2 pixels</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>not a picture Vellora can read.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>An empty picture cannot be saved as JPEG.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>A picture could not be saved as JPEG: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>incomplete: the file ends before the picture does.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>PrintPanel</name>
    <message>
        <source>Printing…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Not Printed</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The report could not be sent to the printer.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>PrintStampsViewController</name>
    <message>
        <source>Print Stamps</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Print</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Create Report</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Making the report…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Empty Data Set!</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No Stamps to Print!</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ProgressDialog</name>
    <message>
        <source>Cancel</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>RateShareTableViewController</name>
    <message>
        <source>Rate Vellora</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Write a review of Vellora on its store page</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Recommend Vellora</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Pass the link to Vellora&apos;s store page on to a friend</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Recommend the Website</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Pass a few words and the Vellora website on to a friend</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Visit the Vellora Website</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Open the Vellora website in your browser</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Send Feedback</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Write to the makers of Vellora from your mail program</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Click the following link to visit the Vellora App website</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Rate &amp; Share</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Can&apos;t Send Text Message</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Your Device is not able to send text messages.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Can&apos;t Send Email</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Your Device is not able to send Email.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Enter your comments about Vellora app below: </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Could Not Mail</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1
You can write to %2 from your mail program.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>OK</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Reading</name>
    <message>
        <source>Collection not Read</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ReferenceEntries</name>
    <message>
        <source>Entries in %1 can have at most %2 characters; this one has %3</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Duplicates not allowed</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ReferenceEntryFormViewController</name>
    <message>
        <source>Save</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ReferenceListTableViewController</name>
    <message>
        <source>Deleted an entry without text</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Deleted %1</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ReferenceLists</name>
    <message>
        <source>Countries</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Search by Country</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Add Country</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Required Fields in RED not Entered</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Edit Country</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Perforations</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Search by Perforation</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Add Perforation</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Perforation not Entered</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Edit Perforation</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Gum</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Search by Gum</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Add Gum</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Gum not Entered</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Edit Gum</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Margins</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Search by Margin</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Add Margin</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Margin not Entered</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Edit Margin</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Paper</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Search by Paper</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Add Paper</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Paper not Entered</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Edit Paper</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Grades</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Search by Grade</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Add Grade</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Grade not Entered</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Edit Grade</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Conditions</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Search by Condition</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Add Condition</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Condition not Entered</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Edit Condition</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Series</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Search by Series</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Add Series</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Series not Entered</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Edit Series</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Centering</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Search by Centering</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Add Centering</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Centering not Entered</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Edit Centering</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Status</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Search by Status</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Add Status</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Status not Entered</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Edit Status</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Faults</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Search by Fault</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Add Fault</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Fault not Entered</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Edit Faults</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ReferenceListsViewController</name>
    <message>
        <source>Reference Lists</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ReferencePicker</name>
    <message>
        <source>Type to narrow the choices</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>(None)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Leave the field empty</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Choose…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No match: press Enter to add &quot;%1&quot; to %2</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>RegularFile</name>
    <message>
        <source>it does not exist</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>it is a folder</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>it is not a regular file (a device, a pipe or a socket)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>it is too large (%1 MB)</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ReportPages</name>
    <message>
        <source>no file name was given</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the folder %1 does not exist</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the pages could not be drawn</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Page %1 of %2</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Saving</name>
    <message>
        <source>Record not Saved!</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Schema</name>
    <message>
        <source>The store could not be read</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The store has an unknown version (%1): it was not written by Vellora, or it is damaged</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The store was written by a newer version of Vellora (store version %1, this version reads up to %2)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The store could not be upgraded</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The store could not be upgraded to version %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The store has no table %1: it was not written by Vellora, or it is damaged</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The store&apos;s table %1 has no column %2: it was not written by Vellora, or it is damaged</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The index of the catalogue order could not be changed</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>SearchableTableViewController</name>
    <message>
        <source>delete</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Delete</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Sections</name>
    <message>
        <source>Home</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Stamps</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Groups</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Valuation</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Statistics</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Reports</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Reference Lists</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Export &amp; Import</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Overview</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Settings</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>SettingsViewController</name>
    <message>
        <source>Settings</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Scott Numbers</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Sort Scott numbers in catalogue order</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>On: 1, 1A, 2, 10, 10a, C1, C12. Off: 1, 10, 10a, 1A, 2, C1, C12 (letter by letter).</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Data Folder</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Open Data Folder</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Scott numbers are sorted in the order chosen, but more slowly: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The setting holds until Vellora is closed, but could not be kept: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Backups</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Backups kept (before each import, and of Back Up Now):</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Back Up Now</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Restore from Backup...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Backup Made</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The collection was backed up to %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No Backup Made</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Choose a Backup</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Backups (*.sqlite)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>All files (*)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Restore from Backup</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Replace the collection by the one in the backup %1? The collection as it is now is backed up first.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Restore</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Fatal error</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Not Restored</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Collection Restored</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The collection was restored from %1. The collection as it was is in the backup %2.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ShareActions</name>
    <message>
        <source>%1 could not be read: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 is not a file on this computer.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not a complete web address.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The picture is empty.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 could not be written: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 no longer exists.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 is not a PDF document that can be read.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 cannot be printed.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The printer could not be started.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Printing stopped part way through.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The print job could not be finished.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ShareSheet</name>
    <message>
        <source>Picture, %1 × %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Share</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No mail program is set up on this computer.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Save to File…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Could Not Save</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Copy</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Could Not Copy</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Mail…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Could Not Mail</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Open</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Could Not Open</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Print…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Could Not Print</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Text (*.txt)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>JPEG picture (*.jpg *.jpeg);;PNG picture (*.png)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Save %1</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>SpreadsheetFile</name>
    <message>
        <source>Country</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Scott #</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Denomination</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Year of Issue</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Description</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Color</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Series</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Quantity</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Condition</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Grade</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Centering</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Gum</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Margins</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Perforations</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Paper</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Faults</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cancellation</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Status</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cost</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Value</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Notes</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The spreadsheet file could not be written: </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The stamps could not be read: </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The spreadsheet file could not be created: </source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>SqliteStatement</name>
    <message>
        <source>%1: the store is not open</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The store is not open</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The order %1 could not be set up: %2</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>StampFormViewController</name>
    <message>
        <source>%1 must be a whole number from -32768 to 32767</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Denomination</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Denomination: </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Year of Issue</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Year Issued: </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Description</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Description: </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Country</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Country: </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Perforations</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Perforations: </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Gum</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Gum: </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Margins</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Margins: </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Scott #</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Scott #: </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Paper</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Paper: </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Color</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Color: </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Grade</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Grade: </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Condition</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Condition: </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Series</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Series: </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Centered</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Centered: </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Status</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Status: </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Faults</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Faults: </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Quantity</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Quantity: </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cost</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cost: </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Est. Value</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Est. Value: </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Notes</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Camera</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>There is no camera available</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Choose a Picture</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Pictures (*.jpg *.jpeg *.png *.bmp *.gif *.webp *.tif *.tiff)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>All files (*)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Picture Not Loaded</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Clipboard</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>There is no image in the Clipboard</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The picture in the Clipboard could not be read.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The picture in the Clipboard is %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 is not a number</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Saved a stamp</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Saved %1</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>StampReport</name>
    <message>
        <source>Denomination: </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Year Issued: </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Description: </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Country: </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Perforations: </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Gum: </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Margins: </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Scott #: </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Paper: </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Color: </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Grade: </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Condition: </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Series: </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Centered: </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Status: </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Faults: </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Quantity: </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cost: </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Est. Value: </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Notes: </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Blank</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Year: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Qty: %1 - Total Value (Qty * Value): %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Stamps Filtered by Year: </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Stamps Filtered by Country: </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Stamps Filtered by Denomination: </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Stamps Filtered by Scott #: </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Stamps Filtered by Status: </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>All Stamps Sorted by Scott #: </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Scott #:  Blank</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Scott #: Blank</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Number of stamps: %1 - Total value: %2</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>StampTableViewController</name>
    <message>
        <source>Deleted a stamp</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Deleted %1</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>StatisticsCharts</name>
    <message>
        <source>Stamps held</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Value</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Value (%1)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cost</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Year of issue</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>StatisticsViewController</name>
    <message>
        <source>Value by Country</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Stamps Held by Country</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Stamps Held by Decade of Issue</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Value by Status</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cost and Value by Year of Issue</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Statistics</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Stamps held</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Distinct stamps</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cost</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Value</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Value minus cost</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Save Chart…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Save the chart %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Save the chart as a PNG picture or an SVG drawing</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The statistics could not be read.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No stamps yet: add stamps to see statistics.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1: nothing to show yet.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>(No Country)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>(No Status)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Save the Chart</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Vellora %1.png</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>PNG picture (*.png)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>SVG drawing (*.svg)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Chart not Saved</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>StoreBackup</name>
    <message>
        <source>The collection could not be copied to %1: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the file is missing</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>it is not a file</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>it is in use by a program, or a change to it was not finished</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>it could not be copied: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>its copy could not be written</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>its copy could not be closed</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>its copy could not be written to the disk</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The backup folder %1 could not be made</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the copy holds %1 stamps, the collection %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the copy could not be kept</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 was not restored: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>this collection is read-only</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The collection could not be opened again: %1. The collection as it was is in %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the collection could not be replaced</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>StoreBatch</name>
    <message>
        <source>There is no %1 in the store</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>This collection is read-only: changes cannot be saved</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 has no %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Fetch of %1 failed</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>A new %1 could not be saved</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>A changed %1 could not be saved</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The store could not start a save</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The store undid the whole save</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The save could not be completed</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The save could not be undone</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>SymbolIcons</name>
    <message>
        <source>Sort</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Print</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Camera</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Share</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Paste</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Folder</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Remove</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Photo</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Delete</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Add</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Close</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Search</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Mail</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Rate</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Web</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Document</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Link</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Message</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>TextPreview</name>
    <message>
        <source>
… only the first megabyte is shown: %1 more in the file.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>UndoBar</name>
    <message>
        <source>Undo</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Undo (%1)</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>UrlOpener</name>
    <message>
        <source>Not opening &quot;%1&quot; in the %2: it is not a complete address.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The %1 could not open %2.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>default application</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Could Not Open</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ValuationViewController</name>
    <message>
        <source>Valuation</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Number of stamps</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Total value</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Year</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Denomination</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Country</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Find Value on Web</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Delcampe</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>HipStamp</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>New value</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Save New Value</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No Picture</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>A picture of the screen could not be made.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Picture not Saved</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The pictures folder %1 could not be made.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 Year: %2 Value: %3</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Country: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No Search</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Required Fields Year, Country and Denomination Not Entered</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Record not Saved!</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>New Value not Entered</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>New Value is not a number</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Can&apos;t Send Text Message</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Your device is not able to send text messages.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ViewController</name>
    <message>
        <source>%1 (%2)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Search</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Discard changes?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>What you changed here has not been saved.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Discard</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Keep Editing</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Find</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>WebBrowser</name>
    <message>
        <source>browser</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ZoomViewController</name>
    <message>
        <source>Zoom</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Can&apos;t Send Text Message</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Your device is not able to send text messages.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No Picture</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>There is no picture to share.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
</TS>
