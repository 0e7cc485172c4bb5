<HTML><HEAD><TITLE>[IMAGE TITLE]</TITLE></HEAD>
<BODY bgcolor=#FFFFFF text=#000000>
<CENTER>
<TABLE width=90% border=0><TR>
<TD width=30% align=left valign=bottom>[PREV THUMB]</TD>
<TD align=center><H2>[IMAGE TITLE]</H2>[FILE SIZE] Kb</TD>
<TD width=30% align=right valign=bottom>[NEXT THUMB]</TD>
</TR></TABLE>
<BR><IMG src="[IMAGE FILE NAME]" border=0 alt="[IMAGE TITLE]">
<BR><BR><A href="javascript:history.back()">Back</A>
</CENTER>
</BODY></HTML>
