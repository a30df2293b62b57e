<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="ar">
<context>
    <name>ArabicCodePage</name>
    <message>
        <source>النص المكتوب للحقل %1 ليس نصاً سليماً (UTF-8)</source>
        <translation>the text written for the field %1 is not a sound text (UTF-8)</translation>
    </message>
    <message>
        <source>في النص «%1» حرف لا يحفظه الدفتر في الحقل %2</source>
        <translation>the text «%1» holds a character the book does not keep, in the field %2</translation>
    </message>
</context>
<context>
    <name>BookBackup</name>
    <message>
        <source>لم تُؤخذ النسخة: في الدفتر نفسه عطب: %1</source>
        <translation>no copy taken: the book itself is damaged: %1</translation>
    </message>
    <message>
        <source>لا يُنسخ الدفتر إلى %1: المجلد موجود من قبل</source>
        <translation>the book is not copied into %1: the folder exists already</translation>
    </message>
    <message>
        <source>لم تسلم النسخة الاحتياطية من الفحص: %1</source>
        <translation>the backup did not pass its check: %1</translation>
    </message>
    <message>
        <source>لم تُؤخذ النسخة الاحتياطية التلقائية في %1، والدفتر كما هو: %2</source>
        <translation>the automatic backup was not taken in %1, and the book is as it was: %2</translation>
    </message>
</context>
<context>
    <name>BookCheck</name>
    <message>
        <source>%1: السجل %2: %3</source>
        <translation>%1: record %2: %3</translation>
    </message>
    <message>
        <source>في الحقل %1 «%2»، وليس عدداً صحيحاً من 32 بتاً</source>
        <translation>the field %1 holds «%2», not a 32-bit whole number</translation>
    </message>
    <message>
        <source>في الحقل %1 «%2»، وليس نصاً</source>
        <translation>the field %1 holds «%2», which is not a text</translation>
    </message>
    <message>
        <source>في الحقل %1 أكثر من حروفه الـ%2</source>
        <translation>the field %1 holds more than its %2 characters</translation>
    </message>
    <message>
        <source>في الحقل %1 حرف لا يحفظه الدفتر</source>
        <translation>the field %1 holds a character the book does not keep</translation>
    </message>
    <message>
        <source>قيد ليس لعامل</source>
        <translation>an entry of no worker</translation>
    </message>
    <message>
        <source>قيد للعامل %1، وليس في الدفتر</source>
        <translation>an entry of worker %1, who is not in the book</translation>
    </message>
    <message>
        <source>%1: العامل %2 «%3»: %4</source>
        <translation>%1: worker %2 «%3»: %4</translation>
    </message>
    <message>
        <source>%1 %2، وقيوده تعطي %3</source>
        <translation>%1 %2, its entries give %3</translation>
    </message>
    <message>
        <source>الأيام الإدارية</source>
        <translation>administrative days</translation>
    </message>
    <message>
        <source>الأيام الصحية</source>
        <translation>sick days</translation>
    </message>
    <message>
        <source>الأيام بلا أجر</source>
        <translation>unpaid days</translation>
    </message>
    <message>
        <source>ساعات الرصيد الساعي</source>
        <translation>hourly balance, hours</translation>
    </message>
    <message>
        <source>دقائق الرصيد الساعي</source>
        <translation>hourly balance, minutes</translation>
    </message>
    <message>
        <source>الأيام المتجاوزة %1، وأيامه الإدارية فوق استحقاقه تعطي %2</source>
        <translation>excess %1, its administrative days over its entitlement give %2</translation>
    </message>
    <message>
        <source>نص الساعات «%1»، وساعاته ودقائقه تعطي «%2»</source>
        <translation>hours text «%1», its hours and minutes give «%2»</translation>
    </message>
    <message>
        <source>الحقل %1 «%2»، وآخر ما سجّله سجل التغييرات «%3»: تغيّر دون أن يُسجَّل</source>
        <translation>field %1 is «%2», and the history of changes last gave it «%3»: changed unrecorded</translation>
    </message>
</context>
<context>
    <name>BookCommands</name>
    <message>
        <source>لا يأخذ %1 الخيار %2</source>
        <translation>%1 does not take %2</translation>
    </message>
    <message>
        <source>يحتاج %1 قيمة</source>
        <translation>%1 needs a value</translation>
    </message>
    <message>
        <source>نُسخ الدفتر %1 في %2</source>
        <translation>backed up %1 into %2</translation>
    </message>
    <message>
        <source>يأخذ %1 مجلد النسخة الاحتياطية ولا شيء غيره</source>
        <translation>%1 takes the backup&apos;s folder, and nothing else</translation>
    </message>
    <message>
        <source>وُضعت النسخة %1 مكان الدفتر %2، والدفتر كما كان في %3</source>
        <translation>restored %1 into %2; the book as it was is in %3</translation>
    </message>
    <message>
        <source>يحتاج %1 الملف الذي يكتب فيه</source>
        <translation>%1 needs the file to write</translation>
    </message>
    <message>
        <source>يكتب %1 ملفاً ينتهي بـ%2 أو %3</source>
        <translation>%1 writes a file ending in %2 or %3</translation>
    </message>
    <message>
        <source>صُدّرت القيود كلها إلى %1</source>
        <translation>exported every entry to %1</translation>
    </message>
    <message>
        <source>صُدّرت الخلاصة إلى %1</source>
        <translation>exported the summary to %1</translation>
    </message>
    <message>
        <source>تالف: %1</source>
        <translation>damaged: %1</translation>
    </message>
    <message>
        <source>غير متسق: %1</source>
        <translation>inconsistent: %1</translation>
    </message>
    <message>
        <source>الملاحظات: %1، في الدفتر على %2</source>
        <translation>findings: %1, in the book on %2</translation>
    </message>
    <message>
        <source>الملاحظات: %1، في الدفتر في %2</source>
        <translation>findings: %1, in the book under %2</translation>
    </message>
    <message>
        <source>يحتاج %1 قائمة الموظفين التي يقرؤها</source>
        <translation>%1 needs the staff list to read</translation>
    </message>
    <message>
        <source>يأخذ %1 سنة من أربعة أرقام، لا %2</source>
        <translation>%1 takes a year of four digits: not %2</translation>
    </message>
    <message>
        <source>يأخذ %1 سنة واحدة و%2، لا %3</source>
        <translation>%1 takes one year and %2: not %3</translation>
    </message>
    <message>
        <source>يحتاج %1 السنة التي تُقفل</source>
        <translation>%1 needs the year to close</translation>
    </message>
    <message>
        <source>%1 «%2»: سنوات الخدمة من %3 إلى %4، الاستحقاق من %5 إلى %6، أيام سُوّيت من الساعات %7، الساعات المنقولة %8</source>
        <translation>%1 «%2»: years %3 -&gt; %4, entitlement %5 -&gt; %6, days settled from the hours %7, hours carried %8</translation>
    </message>
    <message>
        <source>أُقفلت سنة %1، ودفترها في الأرشيف %2</source>
        <translation>closed %1; its book is archived in %2</translation>
    </message>
    <message>
        <source>يأخذ %1 السنة المقفلة ولا شيء غيرها</source>
        <translation>%1 takes the closed year, and nothing else</translation>
    </message>
    <message>
        <source>أرشيف سنة %1 في %2</source>
        <translation>the archive of %1 is in %2</translation>
    </message>
    <message>
        <source>لا يحفظ خادم الدفتر %1 أرشيفاً لسنة %2</source>
        <translation>the book&apos;s server %1 keeps no archive of %2</translation>
    </message>
    <message>
        <source>لا أرشيف لسنة %2 في %1</source>
        <translation>no archive of %2 in %1</translation>
    </message>
    <message>
        <source>أرشيف سنة %1 الآن في %2</source>
        <translation>the archive of %1 is now in %2</translation>
    </message>
    <message>
        <source>لا يُعرف الخيار %1</source>
        <translation>unknown option %1</translation>
    </message>
    <message>
        <source>لم يُذكر أمر</source>
        <translation>no command given</translation>
    </message>
    <message>
        <source>لا يُعرف الأمر %1</source>
        <translation>unknown command %1</translation>
    </message>
    <message>
        <source>يحتاج %1 مجلد الدفتر القديم</source>
        <translation>%1 needs the old book&apos;s folder</translation>
    </message>
    <message>
        <source>سيُنقل الدفتر القديم من %1 إلى الدفتر %2</source>
        <translation>would move the old book in from %1 to the book %2</translation>
    </message>
    <message>
        <source>نُقل الدفتر القديم من %1 إلى الدفتر %2</source>
        <translation>moved the old book in from %1 to the book %2</translation>
    </message>
    <message>
        <source>العمال: %1</source>
        <translation>workers: %1</translation>
    </message>
    <message>
        <source>القيود الإدارية: %1</source>
        <translation>administrative entries: %1</translation>
    </message>
    <message>
        <source>القيود الساعية: %1</source>
        <translation>hourly entries: %1</translation>
    </message>
    <message>
        <source>القيود الصحية: %1</source>
        <translation>sick-leave entries: %1</translation>
    </message>
    <message>
        <source>القيود بلا أجر: %1</source>
        <translation>unpaid-leave entries: %1</translation>
    </message>
    <message>
        <source>كما كان في الدفتر القديم: %1</source>
        <translation>kept as the old book had it: %1</translation>
    </message>
    <message>
        <source>الدفتر القديم محفوظ كما كان في %1</source>
        <translation>the old book is kept as it was in %1</translation>
    </message>
    <message>
        <source>الاستعمال: ijazat-book [--data-root DIR] COMMAND [OPTIONS]

الدفتر هو الذي اختاره ijazat-setup لهذا المستخدم (مجلد على هذا الحاسوب أو خادم)؛
و--data-root DIR يعمل على الدفتر الذي في المجلد DIR أياً كان الاختيار.

الأوامر:
  backup [--to DIR]   نسخة متسقة من ملفات الدفتر الخمسة، تؤخذ ولو كان البرنامج مفتوحاً،
                      وتُفحص قبل أن يقال تمّت (وإلا ففي kestrave/Backups/YYYY-MM-DD_HHMMSS
                      بجانب مجلد الدفتر)
  restore DIR         يضع النسخة التي في DIR مكان الدفتر بعد فحصها إن لم يكن الدفتر مفتوحاً
                      في برنامج؛ ويُنسخ الدفتر كما كان أولاً (في Backups/..._before-restore)
  check               ملفات الدفتر الخمسة سليمة ومن الدفتر؛ قيود ليست لعامل؛ قيم خارج
                      32 بتاً أو من غير نوعها؛ نصوص بحروف لا يحفظها الدفتر؛ مجاميع كل عامل
                      مقابل قيوده. سطر لكل ملاحظة؛ ويخرج بـ1 إن كان الدفتر تالفاً، وبـ0 إن
                      كان غير متسق فقط
  export FILE.xlsx|FILE.csv [--entries]
                      الخلاصة (سطر لكل عامل) أو كل القيود، في جدول بيانات: XLSX من اليمين
                      إلى اليسار، أو CSV بترميز UTF-8
  import FILE.csv [--dry-run] [--allow-duplicates]
                      يسجّل عمال قائمة الموظفين: سطر عناوين يسمّي عمود الاسم وعمود بداية
                      الخدمة (وقد يليهما عمود الاستحقاق)؛ كلها أو لا شيء، ويُذكر كل سطر
                      مرفوض. CSV بترميز UTF-8 أو UTF-16 أو Windows-1256: احفظ جدول
                      البيانات بصيغة CSV أولاً
  close-year YEAR [--dry-run]
                      يسوّي أرصدة الساعات التي تبلغ يوماً أو أكثر أياماً، ويؤرشف الدفتر في
                      kestrave/Archive/YEAR، ويفرغ القيود، ويبدأ المجاميع من جديد، وينقل
                      الساعات دون اليوم، ويزيد سنوات الخدمة والاستحقاق. تُقفل السنة بعد أن
                      تنتهي، مرة واحدة، وبالترتيب: بعد أول إقفال لا تُقفل إلا السنة التي
                      تلي آخر سنة أُقفلت
  archive YEAR        يضع أرشيف سنة YEAR المقفلة في kestrave/Archive/YEAR على هذا المكتب،
                      من الخادم الذي يحفظه مع الدفتر
  move-in OLD_DATA_ROOT [--dry-run]
                      ينقل دفتر البرنامج القديم (جداوله الخمسة بصيغة Paradox تحت
                      OLD_DATA_ROOT) إلى دفتر فارغ، كله أو لا شيء؛ ويذكر ما نقل وكل
                      مجموع لا يساوي قيوده. إن كان مجلده هو مجلد الدفتر حُفظ كما هو
                      في Data.before-move-in
  history [--worker N] [--since YYYY-MM-DD] [--csv FILE.csv|FILE.xlsx]
                      سجل التغييرات، الأحدث أولاً: متى، والعامل واسمه يومها، وما غيّره (عمل
                      الكاتب أو برنامج آخر)، والحقل وقيمته قبل وبعد، ومن غيّره

حالة الخروج: 0 تمّ، 1 رُفض أو أخفق، 2 خطأ في الاستعمال.
</source>
        <translation>usage: ijazat-book [--data-root DIR] COMMAND [OPTIONS]

The book is the one ijazat-setup chose for this user (a local folder or a
server); --data-root DIR works on the local book under DIR whatever was chosen.

commands:
  backup [--to DIR]   a consistent copy of the book&apos;s five files, taken even while
                      the program is open; checked before it says done (default:
                      kestrave/Backups/YYYY-MM-DD_HHMMSS beside the data root)
  restore DIR         puts the backup in DIR in place of the book, once it is checked
                      and no program has the book open; the book as it was is
                      backed up first (into Backups/..._before-restore)
  check               the five files whole and the book&apos;s own; entries of no worker;
                      values outside 32 bits or of the wrong type; texts outside the
                      character set; every worker&apos;s totals against its entries.
                      One line a finding; exit 1 when the book is damaged, 0 when
                      it is only inconsistent
  export FILE.xlsx|FILE.csv [--entries]
                      the summary (a row per worker) or every entry, to a
                      spreadsheet: XLSX laid right to left, or CSV in UTF-8
  import FILE.csv [--dry-run] [--allow-duplicates]
                      registers the workers of a staff list: a title row naming
                      a name and a start-of-service column (an entitlement column
                      may follow); all or nothing, every bad line told. CSV in
                      UTF-8, UTF-16 or Windows-1256: save a spreadsheet as CSV first
  close-year YEAR [--dry-run]
                      settles hourly balances of a day or more into days,
                      archives the book into kestrave/Archive/YEAR, empties the
                      entries, starts the totals again, carries the hours below
                      a day, moves years of service and entitlements on. A year
                      closes once it has ended, once, and in order: after the
                      first close only the year after the last one closed
  archive YEAR        puts the archive of a closed YEAR in kestrave/Archive/YEAR on
                      this desk, from the server that keeps it with the book
  move-in OLD_DATA_ROOT [--dry-run]
                      brings the old program&apos;s book (its five Paradox tables under
                      OLD_DATA_ROOT) into an empty book, all or nothing; tells what
                      it brought and every total that differs from its entries. Where
                      its folder is the data root, it is kept as it was in
                      Data.before-move-in
  history [--worker N] [--since YYYY-MM-DD] [--csv FILE.csv|FILE.xlsx]
                      the history of changes, newest first: when, the worker and its
                      name then, what made the change (a clerk&apos;s action or another
                      program), the field and its value before and after, and who

Exit status: 0 done, 1 refused or failed, 2 a usage error.
</translation>
    </message>
    <message>
        <source>يأخذ %1 رقم العامل، لا %2</source>
        <translation>%1 takes a worker number, not %2</translation>
    </message>
    <message>
        <source>يأخذ %1 يوماً مثل %2، لا %3</source>
        <translation>%1 takes a day such as %2, not %3</translation>
    </message>
    <message>
        <source>كُتب سجل التغييرات (%1 سطراً) في %2</source>
        <translation>the history of changes (%1 lines) is written to %2</translation>
    </message>
    <message>
        <source>العامل %1 «%2»</source>
        <translation>worker %1 «%2»</translation>
    </message>
    <message>
        <source>أسطر السجل: %1</source>
        <translation>history lines: %1</translation>
    </message>
</context>
<context>
    <name>BookHistory</name>
    <message>
        <source>قيد إداري</source>
        <translation>administrative entry</translation>
    </message>
    <message>
        <source>قيد ساعي</source>
        <translation>hourly entry</translation>
    </message>
    <message>
        <source>قيد صحي</source>
        <translation>sick entry</translation>
    </message>
    <message>
        <source>قيد بلا أجر</source>
        <translation>unpaid entry</translation>
    </message>
    <message>
        <source>برنامج آخر</source>
        <translation>another program</translation>
    </message>
    <message>
        <source>إجازة إدارية</source>
        <translation>administrative leave</translation>
    </message>
    <message>
        <source>إجازة ساعية</source>
        <translation>hourly leave</translation>
    </message>
    <message>
        <source>إجازة صحية</source>
        <translation>sick leave</translation>
    </message>
    <message>
        <source>إجازة بلا أجر</source>
        <translation>unpaid leave</translation>
    </message>
    <message>
        <source>عامل جديد</source>
        <translation>new worker</translation>
    </message>
    <message>
        <source>تعديل ذاتية عامل</source>
        <translation>worker record corrected</translation>
    </message>
    <message>
        <source>استيراد قائمة الموظفين</source>
        <translation>staff list imported</translation>
    </message>
    <message>
        <source>نقل الدفتر القديم</source>
        <translation>old book moved in</translation>
    </message>
    <message>
        <source>إقفال السنة</source>
        <translation>year closed</translation>
    </message>
    <message>
        <source>استعادة نسخة احتياطية</source>
        <translation>backup restored</translation>
    </message>
    <message>
        <source>برنامج الإجازات</source>
        <translation>the leave book</translation>
    </message>
    <message>
        <source>اسم العامل</source>
        <translation>name</translation>
    </message>
    <message>
        <source>سنوات الخدمة</source>
        <translation>years of service</translation>
    </message>
    <message>
        <source>بداية الخدمة</source>
        <translation>start of service</translation>
    </message>
    <message>
        <source>الإستحقاق السنوي</source>
        <translation>yearly entitlement</translation>
    </message>
    <message>
        <source>الأيام الإدارية</source>
        <translation>administrative days</translation>
    </message>
    <message>
        <source>نص الساعات</source>
        <translation>hours text</translation>
    </message>
    <message>
        <source>الأيام الصحية</source>
        <translation>sick days</translation>
    </message>
    <message>
        <source>الأيام بلا أجر</source>
        <translation>unpaid days</translation>
    </message>
    <message>
        <source>الأيام المتجاوزة</source>
        <translation>excess days</translation>
    </message>
    <message>
        <source>الساعات</source>
        <translation>hours</translation>
    </message>
    <message>
        <source>الدقائق</source>
        <translation>minutes</translation>
    </message>
    <message>
        <source>التاريخ</source>
        <translation>date</translation>
    </message>
    <message>
        <source>الشهر</source>
        <translation>month</translation>
    </message>
    <message>
        <source>العامل</source>
        <translation>worker</translation>
    </message>
    <message>
        <source>%1 %2: %3</source>
        <translation>%1 %2: %3</translation>
    </message>
</context>
<context>
    <name>BookInUse</name>
    <message>
        <source>الدفتر في %1 مفتوح في برنامج: أغلقه أولاً</source>
        <translation>the book under %1 is open in a program: close it first</translation>
    </message>
    <message>
        <source>الدفتر في %1 تجري استعادته: انتظر حتى تنتهي</source>
        <translation>the book under %1 is being restored: wait until it is done</translation>
    </message>
</context>
<context>
    <name>BookRestore</name>
    <message>
        <source>لا تُستعاد النسخة الاحتياطية: %1</source>
        <translation>the backup is not restored: %1</translation>
    </message>
</context>
<context>
    <name>Cursor</name>
    <message>
        <source>المؤشر %1 ليس في وضع التعديل أو الإضافة: لا يُكتب الحقل %2</source>
        <translation>the cursor %1 is neither editing nor inserting: the field %2 is not written</translation>
    </message>
    <message>
        <source>الحقل %1 لا يُعدَّل</source>
        <translation>the field %1 cannot be changed</translation>
    </message>
    <message>
        <source>المؤشر %1 مغلق</source>
        <translation>the cursor %1 is closed</translation>
    </message>
    <message>
        <source>المؤشر %1 غير مرتب بالأسماء</source>
        <translation>the cursor %1 is not ordered by name</translation>
    </message>
    <message>
        <source>المؤشر %1 ليس في وضع التعديل أو الإضافة</source>
        <translation>the cursor %1 is neither editing nor inserting</translation>
    </message>
    <message>
        <source>لا سجل في المؤشر %1 ليُحذف</source>
        <translation>no record in the cursor %1 to delete</translation>
    </message>
</context>
<context>
    <name>EngineFailure</name>
    <message>
        <source>%1 مقفل: يستعمله برنامج آخر الآن، ولم يُحفظ شيء. أعد المحاولة بعد قليل</source>
        <translation>%1 is locked: another program is using it now, and nothing was saved. Try again in a moment</translation>
    </message>
    <message>
        <source>%1 للقراءة فقط: لا تمكن الكتابة فيه، ولم يُحفظ شيء</source>
        <translation>%1 is read-only: it cannot be written, and nothing was saved</translation>
    </message>
    <message>
        <source>القرص ممتلئ: لا مكان للكتابة في %1، ولم يُحفظ شيء</source>
        <translation>the disk is full: no room to write in %1, and nothing was saved</translation>
    </message>
    <message>
        <source>%1 تالف أو ليس من ملفات دفتر الإجازات</source>
        <translation>%1 is damaged or not a file of the leave book</translation>
    </message>
    <message>
        <source>تعذّر فتح %1</source>
        <translation>%1 could not be opened</translation>
    </message>
    <message>
        <source>لا إذن بالوصول إلى %1</source>
        <translation>no permission to reach %1</translation>
    </message>
    <message>
        <source>تعذّرت القراءة من %1 أو الكتابة فيه</source>
        <translation>%1 could not be read or written</translation>
    </message>
    <message>
        <source>أخفق محرك الجداول في %1</source>
        <translation>the table engine failed on %1</translation>
    </message>
    <message>
        <source>القرص ممتلئ: لا مكان للكتابة في %1</source>
        <translation>the disk is full: no room to write in %1</translation>
    </message>
    <message>
        <source>الملف أكبر مما يسمح به النظام: %1</source>
        <translation>the file is larger than the system allows: %1</translation>
    </message>
    <message>
        <source>القرص للقراءة فقط: لا تمكن الكتابة في %1</source>
        <translation>the disk is read-only: %1 cannot be written</translation>
    </message>
    <message>
        <source>لا يوجد %1</source>
        <translation>%1 does not exist</translation>
    </message>
    <message>
        <source>في الطريق ملف حيث يلزم مجلد: %1</source>
        <translation>a file stands in the path where a folder is needed: %1</translation>
    </message>
    <message>
        <source>يوجد من قبل ما يحمل الاسم %1</source>
        <translation>something named %1 exists already</translation>
    </message>
    <message>
        <source>مشغول لا يمكن نقله أو حذفه: %1</source>
        <translation>busy, it cannot be moved or removed: %1</translation>
    </message>
    <message>
        <source>لا يُنقل بين قرصين دفعة واحدة: %1</source>
        <translation>it cannot be moved between two disks in one step: %1</translation>
    </message>
    <message>
        <source>تعذّر العمل في %1</source>
        <translation>the work on %1 failed</translation>
    </message>
    <message>
        <source>الدفتر في %1</source>
        <translation>the book under %1</translation>
    </message>
    <message>
        <source>الملف %1</source>
        <translation>the file %1</translation>
    </message>
    <message>
        <source>%1 و%2</source>
        <translation>%1 and %2</translation>
    </message>
</context>
<context>
    <name>Field</name>
    <message>
        <source>العدد %1 خارج حدود الأعداد الصحيحة التي يتسع لها الحقل %2 (من %3 إلى %4)</source>
        <translation>the number %1 is outside the whole numbers the field %2 holds (from %3 to %4)</translation>
    </message>
</context>
<context>
    <name>LocalBookConnection</name>
    <message>
        <source>تعذّر فتح جدول الدفتر %1: %2</source>
        <translation>the book&apos;s table %1 could not be opened: %2</translation>
    </message>
    <message>
        <source>يُفتح جدول العاملين أولاً</source>
        <translation>the workers&apos; table opens first</translation>
    </message>
    <message>
        <source>الملف تالف (%1): يُستعاد من نسخة احتياطية، %2 يقول ما فيه</source>
        <translation>the file is damaged (%1): restore it from a backup; %2 tells what is in it</translation>
    </message>
    <message>
        <source>لم يُحفظ شيء: حوّل برنامج آخر الملف %1 إلى سجل الكتابة المسبقة (WAL)، فلا تُحفظ الملفات الخمسة معاً. أغلق البرنامج الآخر وأعد المحاولة</source>
        <translation>nothing was saved: another program turned the file %1 to a write-ahead log (WAL), so the five files cannot be saved together. Close the other program and try again</translation>
    </message>
</context>
<context>
    <name>LocalBookFiles</name>
    <message>
        <source>%1: الملف غير موجود</source>
        <translation>%1: the file does not exist</translation>
    </message>
    <message>
        <source>%1: الملف تالف (%2)</source>
        <translation>%1: the file is damaged (%2)</translation>
    </message>
    <message>
        <source>%1: لم يُنسخ الملف</source>
        <translation>%1: the file was not copied</translation>
    </message>
</context>
<context>
    <name>LocalHistory</name>
    <message>
        <source>ينقص سجل التغييرات %1 (يضيفه %2)</source>
        <translation>the history of changes %1 is missing (%2 adds it)</translation>
    </message>
</context>
<context>
    <name>MoveIn</name>
    <message>
        <source>في الدفتر %1 عمال أو قيود من قبل: ينقل الدفتر القديم إلى دفتر فارغ</source>
        <translation>the book %1 holds workers or entries already: the old book moves into an empty book</translation>
    </message>
</context>
<context>
    <name>OldTable</name>
    <message>
        <source>%1: لا تكفي الذاكرة لقراءته</source>
        <translation>%1: not enough memory to read it</translation>
    </message>
    <message>
        <source>%1: الملف غير موجود</source>
        <translation>%1: the file does not exist</translation>
    </message>
    <message>
        <source>%1: ليس جدولاً من جداول Paradox أو هو تالف (%2)</source>
        <translation>%1: not a Paradox table, or a damaged one (%2)</translation>
    </message>
    <message>
        <source>%1: في الجدول %2 حقلاً والدفتر يحتاج %3</source>
        <translation>%1: the table has %2 fields and the book needs %3</translation>
    </message>
    <message>
        <source>%1: الحقل رقم %2 هو %3 والدفتر يحتاج %4</source>
        <translation>%1: field number %2 is %3 and the book needs %4</translation>
    </message>
    <message>
        <source>%1: نوع الحقل %2 ليس %3</source>
        <translation>%1: the type of the field %2 is not %3</translation>
    </message>
    <message>
        <source>%1: تعذّرت قراءة السجل رقم %2 (%3)</source>
        <translation>%1: record number %2 could not be read (%3)</translation>
    </message>
    <message>
        <source>%1: الملف مقطوع: فيه %2 بايت والجدول يحتاج %3</source>
        <translation>%1: the file is cut short: it holds %2 bytes and the table needs %3</translation>
    </message>
    <message>
        <source>%1: السجل رقم %2 بلا رقم في الحقل %3</source>
        <translation>%1: record number %2 has no number in the field %3</translation>
    </message>
    <message>
        <source>لا تقرأ هذه النسخة من البرنامج جداول البرنامج القديم (%1): انقلها إلى الدفتر بالأمر ijazat-book move-in في نسخة لينكس، ثم انسخ ملفات الدفتر الخمسة إلى هذا الحاسوب</source>
        <translation>this build of the program does not read the old program&apos;s tables (%1): move them into a book with ijazat-book move-in on the Linux build, then copy the book&apos;s five files to this computer</translation>
    </message>
</context>
<context>
    <name>OldTableLibrary</name>
    <message>
        <source>لم تُحمَّل مكتبة قراءة جداول البرنامج القديم: %1. ثبّت الحزمة pxlib1</source>
        <translation>the library that reads the old program&apos;s tables could not be loaded: %1. Install the pxlib1 package</translation>
    </message>
</context>
<context>
    <name>ServerBook</name>
    <message>
        <source>هذه النسخة من البرنامج تحفظ الدفتر على هذا الحاسوب وحده: لا تفتح دفتراً على خادم. افتح الدفتر المحلي بالأمر ijazat-setup --local</source>
        <translation>this build of the program keeps the book on this computer only: it opens no book on a server. Open the local book with ijazat-setup --local</translation>
    </message>
    <message>
        <source>خادم لا تصل إليه هذه النسخة</source>
        <translation>a server this build does not reach</translation>
    </message>
    <message>
        <source>لا تُكتب كلمة السر في عنوان خادم الدفتر %1: يحفظه البرنامج في إعداداته نصاً مقروءاً. ضعها في %2 (أو في ملف خدمة) واحذفها من العنوان</source>
        <translation>no password goes into the address of the book&apos;s server %1: the program keeps it in its settings as readable text. Put it in %2 (or a service file) and take it out of the address</translation>
    </message>
</context>
<context>
    <name>ServerBookConnection</name>
    <message>
        <source>لا يُفتح جدول الدفتر %1 على خادم الدفتر %2: %3</source>
        <translation>the book&apos;s table %1 does not open on the book&apos;s server %2: %3</translation>
    </message>
    <message>
        <source>تعذّرت قراءة %1</source>
        <translation>%1 could not be read</translation>
    </message>
    <message>
        <source>في أرشيف السنة على الخادم ملف ليس من الدفتر: %1</source>
        <translation>the year&apos;s archive on the server holds a file that is not the book&apos;s: %1</translation>
    </message>
    <message>
        <source>تعذّرت كتابة %1</source>
        <translation>%1 could not be written</translation>
    </message>
    <message>
        <source>تُستعاد نسخة احتياطية في الدفتر على %1 الآن: أعد المحاولة بعد أن تنتهي</source>
        <translation>a backup is being restored into the book on %1: try again once it has ended</translation>
    </message>
    <message>
        <source>استُعيد الدفتر على %1 من نسخة احتياطية بعد أن فتحه هذا المكتب، ولم يُحفظ شيء: أغلق البرنامج وافتحه من جديد</source>
        <translation>the book on %1 was restored from a backup after this desk opened it, and nothing was saved: close the program and open it again</translation>
    </message>
    <message>
        <source>مكاتب أخرى تفتح الدفتر على %1: لا يُستعاد إلا بعد أن تُغلق البرنامج كلها</source>
        <translation>other desks have the book on %1 open: it is restored only once they have all closed the program</translation>
    </message>
</context>
<context>
    <name>ServerClient</name>
    <message>
        <source>لم تُحمَّل مكتبة الاتصال بخادم PostgreSQL: %1. ثبّت الحزمة libpq5</source>
        <translation>the PostgreSQL client library could not be loaded: %1. Install the libpq5 package</translation>
    </message>
</context>
<context>
    <name>ServerFailure</name>
    <message>
        <source>تعذّر الوصول إلى خادم الدفتر %1</source>
        <translation>the book&apos;s server %1 could not be reached</translation>
    </message>
    <message>
        <source>خادم الدفتر %1</source>
        <translation>the book&apos;s server %1</translation>
    </message>
    <message>
        <source>انقطع الاتصال ب%1 أو تعذّر، ولم يُحفظ شيء. يُعاد الاتصال عند العملية التالية</source>
        <translation>the connection to %1 was lost or could not be made, and nothing was saved. It is made again at the next action</translation>
    </message>
    <message>
        <source>الدفتر على %1 مقفل: مكتب آخر يكتب فيه الآن، ولم يُحفظ شيء. أعد المحاولة بعد قليل</source>
        <translation>the book on %1 is locked: another desk is writing in it now, and nothing was saved. Try again in a moment</translation>
    </message>
    <message>
        <source>لا تمكن الكتابة في الدفتر على %1 (للقراءة فقط أو بلا إذن)، ولم يُحفظ شيء</source>
        <translation>the book on %1 cannot be written (read-only or no permission), and nothing was saved</translation>
    </message>
    <message>
        <source>قرص %1 ممتلئ، ولم يُحفظ شيء</source>
        <translation>the disk of %1 is full, and nothing was saved</translation>
    </message>
    <message>
        <source>أخفق %1، ولم يُحفظ شيء</source>
        <translation>%1 failed, and nothing was saved</translation>
    </message>
    <message>
        <source>لم يُجب خادم الدفتر %1 خلال %2 ثانية، ولم يُحفظ شيء. يُعاد الاتصال عند العملية التالية</source>
        <translation>the book&apos;s server %1 did not answer within %2 seconds, and nothing was saved. The next action connects again</translation>
    </message>
    <message>
        <source>انقطع الاتصال بخادم الدفتر %1 عند الحفظ ولم يُعرف أحُفظ أم لا: انظر في قيود العامل قبل أن تحفظ ثانية</source>
        <translation>the connection to the book&apos;s server %1 was lost while saving and whether it was saved could not be learnt: look at the worker&apos;s entries before saving again</translation>
    </message>
</context>
<context>
    <name>ServerHistory</name>
    <message>
        <source>ينقص سجل التغييرات %1 (يضيفه %2)</source>
        <translation>the history of changes %1 is missing (%2 adds it)</translation>
    </message>
</context>
<context>
    <name>ServerSchema</name>
    <message>
        <source>ينقص الفهرس %1</source>
        <translation>the index %1 is missing</translation>
    </message>
    <message>
        <source>ليس على الخادم جدول %1 (%2 يصنعه)</source>
        <translation>the server has no table %1 (%2 makes it)</translation>
    </message>
    <message>
        <source>ينقص عدّاد التغييرات للجدول %1</source>
        <translation>the change counter of the table %1 is missing</translation>
    </message>
    <message>
        <source>لا يحق لدور هذا المكتب قراءة الجدول %1: يعطيه مالك الدفتر الحق بالأمر %2</source>
        <translation>this desk&apos;s role may not read the table %1: the book&apos;s owner gives it the right with %2</translation>
    </message>
</context>
<context>
    <name>SpreadsheetFile</name>
    <message>
        <source>تعذّرت الكتابة في الملف %1</source>
        <translation>the file %1 could not be written</translation>
    </message>
    <message>
        <source>لا تكفي الذاكرة لكتابة الملف %1</source>
        <translation>not enough memory to write the file %1</translation>
    </message>
    <message>
        <source>لم يُكتب الملف %1: %2</source>
        <translation>the file %1 was not written: %2</translation>
    </message>
    <message>
        <source>يُكتب جدول البيانات في ملف ينتهي بـ%1 أو %2: %3</source>
        <translation>a spreadsheet is written to a file ending in %1 or %2: %3</translation>
    </message>
</context>
<context>
    <name>StaffImport</name>
    <message>
        <source>%1: الملف فارغ</source>
        <translation>%1: the file is empty</translation>
    </message>
    <message>
        <source>%1: يسمّي السطر الأول عمود اسم العامل وعمود بداية الخدمة (قُرئ الملف بترميز %2)</source>
        <translation>%1: line 1 must name a name column and a start-of-service column (read as %2)</translation>
    </message>
    <message>
        <source>يُقرأ %1 بترميز %2</source>
        <translation>reading %1 as %2</translation>
    </message>
    <message>
        <source>السطر %1: %2</source>
        <translation>line %1: %2</translation>
    </message>
    <message>
        <source>الاسم فارغ</source>
        <translation>the name is empty</translation>
    </message>
    <message>
        <source>الاسم أطول من %1 حرفاً</source>
        <translation>the name is longer than %1 characters</translation>
    </message>
    <message>
        <source>في الاسم «%1» حرف لا يحفظه الدفتر</source>
        <translation>the name «%1» holds a character the book does not keep</translation>
    </message>
    <message>
        <source>بداية الخدمة «%1» ليست عدداً صحيحاً</source>
        <translation>the start of service «%1» is not a whole number</translation>
    </message>
    <message>
        <source>بداية الخدمة %1 بعد هذه السنة أو أبعد مما يكون</source>
        <translation>the start of service %1 is after this year or too far back</translation>
    </message>
    <message>
        <source>الاستحقاق «%1» ليس عدداً صحيحاً</source>
        <translation>the entitlement «%1» is not a whole number</translation>
    </message>
    <message>
        <source>لم تُذكر بداية الخدمة ولا الاستحقاق</source>
        <translation>neither a start of service nor an entitlement is given</translation>
    </message>
    <message>
        <source>السطر %1: «%2» في الدفتر من قبل أو في سطر سابق من القائمة</source>
        <translation>line %1: «%2» is already in the book or earlier in the list</translation>
    </message>
    <message>
        <source>لم يُحفظ شيء: الأسطر المرفوضة %1</source>
        <translation>nothing stored: bad rows %1</translation>
    </message>
    <message>
        <source>سيُحفظ السطر %1: %2، منذ %3، سنوات الخدمة %4، الاستحقاق %5</source>
        <translation>would store line %1: %2, since %3, years %4, entitlement %5</translation>
    </message>
    <message>
        <source>يُحفظ السطر %1: %2، منذ %3، سنوات الخدمة %4، الاستحقاق %5</source>
        <translation>storing line %1: %2, since %3, years %4, entitlement %5</translation>
    </message>
    <message>
        <source>العمال الذين سيُحفظون: %1</source>
        <translation>workers that would be stored: %1</translation>
    </message>
    <message>
        <source>العمال المحفوظون: %1</source>
        <translation>workers stored: %1</translation>
    </message>
</context>
<context>
    <name>StaffListFile</name>
    <message>
        <source>%1: ليس ملفاً (مجلد أو أنبوب أو جهاز): أعطِ قائمة الموظفين محفوظة بصيغة CSV</source>
        <translation>%1: not a file (a folder, a pipe or a device): give the staff list saved as CSV</translation>
    </message>
    <message>
        <source>%1: أكبر من أي قائمة موظفين (فوق 16 ميغابايت): أعطِ قائمة الموظفين محفوظة بصيغة CSV</source>
        <translation>%1: larger than any staff list (over 16 MB): give the staff list saved as CSV</translation>
    </message>
    <message>
        <source>%1: مصنّف جداول بيانات (XLSX أو ملف مضغوط آخر) لا CSV: احفظه بصيغة CSV أولاً</source>
        <translation>%1: a spreadsheet workbook (XLSX or another zipped file), not CSV: save it as CSV first</translation>
    </message>
    <message>
        <source>%1: ملف ثنائي لا نص CSV: احفظ قائمة الموظفين بصيغة CSV أولاً</source>
        <translation>%1: a binary file, not a CSV text: save the staff list as CSV first</translation>
    </message>
</context>
<context>
    <name>TableAccess</name>
    <message>
        <source>رقم سجل في الجدول %1 هو %2، وليس عدداً صحيحاً من 32 بتاً</source>
        <translation>a record number in the table %1 is %2, not a 32-bit whole number</translation>
    </message>
    <message>
        <source>نفدت أرقام السجلات في الجدول %1</source>
        <translation>the table %1 has run out of record numbers</translation>
    </message>
</context>
<context>
    <name>TableSetup</name>
    <message>
        <source>%1: ليس جدولاً من جداول الدفتر كما يحتاجها: %2</source>
        <translation>%1: not one of the book&apos;s tables as it needs them: %2</translation>
    </message>
    <message>
        <source>%1: تعذّر إنشاؤه: %2</source>
        <translation>%1: could not be made: %2</translation>
    </message>
</context>
<context>
    <name>TableShape</name>
    <message>
        <source>في الجدول حقل %1 لا يعرفه الدفتر</source>
        <translation>the table holds a field %1 the book does not know</translation>
    </message>
    <message>
        <source>الحقل رقم %1 هو %2 والدفتر يحتاج %3</source>
        <translation>field number %1 is %2 and the book needs %3</translation>
    </message>
    <message>
        <source>نوع الحقل %1 هو %2 والدفتر يحتاج %3</source>
        <translation>the type of the field %1 is %2 and the book needs %3</translation>
    </message>
    <message>
        <source>الحقل %1 داخل في المفتاح الأساسي خطأً أو غائب عنه</source>
        <translation>the field %1 is in the primary key by mistake or missing from it</translation>
    </message>
    <message>
        <source>ينقص الجدول الحقل %1</source>
        <translation>the table lacks the field %1</translation>
    </message>
    <message>
        <source>ليس في الملف جدول %1</source>
        <translation>the file holds no table %1</translation>
    </message>
    <message>
        <source>الحقل %1 لا يعدّ تصاعدياً دون إعادة الأرقام (AUTOINCREMENT)</source>
        <translation>the field %1 does not count up without reusing numbers (AUTOINCREMENT)</translation>
    </message>
    <message>
        <source>ينقص فهرس على الحقل %1</source>
        <translation>an index on the field %1 is missing</translation>
    </message>
    <message>
        <source>ينقص الفهرس %1 على الحقل %2</source>
        <translation>the index %1 on the field %2 is missing</translation>
    </message>
    <message>
        <source>ينقص الفهرس %1 الذي يجد الأسماء كيفما كُتبت (دفتر أقدم: يضيفه %2)</source>
        <translation>the index %1 that finds names however spelt is missing (an older book: %2 adds it)</translation>
    </message>
    <message>
        <source>الفهرس %1 ليس الذي يصنعه الدفتر</source>
        <translation>the index %1 is not the one the book makes</translation>
    </message>
</context>
<context>
    <name>TemporaryFolder</name>
    <message>
        <source>لا يُعمل في المجلد المؤقت: %1</source>
        <translation>the temporary folder cannot be used: %1</translation>
    </message>
</context>
<context>
    <name>UnitOfWork</name>
    <message>
        <source>عملية أخرى على الدفتر مفتوحة بعد</source>
        <translation>another unit of work on the book is still open</translation>
    </message>
    <message>
        <source>تخلّى محرك الجداول عن العملية بعد خطأ سابق، ولم يُحفظ منها شيء</source>
        <translation>the table engine gave the unit of work up after an earlier error, and none of it was saved</translation>
    </message>
</context>
<context>
    <name>WholeNumber</name>
    <message>
        <source>%1 خارج حدود الأعداد الصحيحة التي يتسع لها الدفتر (من %2 إلى %3)</source>
        <translation>%1 is outside the whole numbers the book holds (from %2 to %3)</translation>
    </message>
    <message>
        <source>ناتج %1</source>
        <translation>the sum %1</translation>
    </message>
    <message>
        <source>العدد %1</source>
        <translation>the number %1</translation>
    </message>
</context>
<context>
    <name>XlsxLibrary</name>
    <message>
        <source>لم تُحمَّل مكتبة كتابة ملفات XLSX: %1. ثبّت الحزمة libxlsxwriter4</source>
        <translation>the XLSX writer library could not be loaded: %1. Install the libxlsxwriter4 package</translation>
    </message>
</context>
<context>
    <name>YearClose</name>
    <message>
        <source>العامل %1 «%2»: أيام رصيد ساعاته أكبر مما يتسع له الدفتر</source>
        <translation>worker %1 «%2»: the days of the hourly balance are more than the book holds</translation>
    </message>
    <message>
        <source>العامل %1 «%2» ستزيد سنوات خدمته على ما يتسع له الدفتر</source>
        <translation>worker %1 «%2»: the years of service would grow beyond what the book holds</translation>
    </message>
    <message>
        <source>والسنة التي تُقفل الآن هي %1</source>
        <translation>and the year to close now is %1</translation>
    </message>
    <message>
        <source>والسنة التالية %1 تُقفل من أول يوم في سنة %2</source>
        <translation>and the next year, %1, closes from the first day of %2</translation>
    </message>
    <message>
        <source>لم تنته سنة %1 بعد: تُقفل من أول يوم في سنة %2</source>
        <translation>the year %1 has not ended: it closes from the first day of %2</translation>
    </message>
    <message>
        <source>سنة %1 مقفلة من قبل، %2</source>
        <translation>the year %1 is closed already, %2</translation>
    </message>
    <message>
        <source>تُقفل السنوات بالترتيب وآخر سنة أُقفلت هي %1، %2</source>
        <translation>years close in order and the last year closed is %1, %2</translation>
    </message>
    <message>
        <source>في %1 أرشيف لسنة %2 من قبل والدفتر لا يذكر إقفالها: انقله من مكانه ثم أعد الإقفال</source>
        <translation>%1 holds an archive of %2 already and the book does not record its close: move it away, then close again</translation>
    </message>
    <message>
        <source>الدفتر يستعمله برنامج آخر: %1</source>
        <translation>another program is using the book: %1</translation>
    </message>
</context>
</TS>
