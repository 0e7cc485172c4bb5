<HTML><HEAD><TITLE>[IMAGE TITLE]</TITLE></HEAD>
<BODY bgcolor=#202020 text=#EEEEEE link=#FFFFFF vlink=#C0C0C0>
<CENTER>
<TABLE width=90% border=0><TR>
<TD width=30% align=left valign=bottom>[PREV THUMB]</TD>
<TD align=center><h2>[IMAGE TITLE]</h2>[FILE SIZE] Kb</TD>
<TD width=30% align=right valign=bottom>[NEXT THUMB]</TD>
</TR></TABLE>
<br><img src="[IMAGE FILE NAME]" border=0 alt="[IMAGE TITLE]">
<br><br><a href="gallery01.html">Back to the gallery</a>
</CENTER>
</BODY></HTML>
