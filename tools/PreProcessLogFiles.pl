#!/usr/bin/perl
# Pre-processing of one correction log, run by refine before it reads the log:
#   PreProcessLogFiles.pl LOGFILE
# writes the normalised copy LOGFILE.processed next to it:
#   - CR LF and lone CR line ends become LF;
#   - tabs become blanks and blanks at the end of a line are removed;
#   - a "name=value" line (submit, sl, tl1, tl1-al, ...) gets the " = "
#     spacing that the log reader looks for.
# Everything else is copied unchanged. What it prints on standard output is
# ignored; failures go to the error stream with exit status 1.
use strict;
use warnings;

die "usage: PreProcessLogFiles.pl LOGFILE\n" unless @ARGV == 1;
my $log = $ARGV[0];
my $copy = "$log.processed";

open(my $in, '<:raw', $log) or die "PreProcessLogFiles.pl: cannot read $log: $!\n";
my $text = do { local $/; <$in> };
close($in);
$text = '' unless defined $text;

$text =~ s/\r\n?/\n/g;
my @lines = split /\n/, $text, -1;
for (@lines) {
  tr/\t/ /;
  s/ +$//;
  s/^(\s*[A-Za-z][\w-]*)\s*=\s*/$1 = / if /^\s*[A-Za-z][\w-]*\s*=/;
}

open(my $out, '>:raw', $copy) or die "PreProcessLogFiles.pl: cannot write $copy: $!\n";
print $out join("\n", @lines);
close($out) or die "PreProcessLogFiles.pl: cannot write $copy: $!\n";
print "PreProcessLogFiles.pl: wrote $copy\n";
exit 0;
